#include "SvgWriter.h"

#include <cstddef>
#include <cstdint>

namespace d88info {

namespace {

// The length of the UTF-8 sequence at `i` when it encodes a character XML 1.0
// allows other than a control character (tab, line feed and carriage return
// included: names never hold them); 0 when it does not.
std::size_t allowedCharacterAt(const std::string& text, std::size_t i) {
    const auto byte = [&](std::size_t at) { return static_cast<unsigned char>(text[at]); };
    const unsigned char lead = byte(i);
    if (lead < 0x80) {
        return lead >= 0x20 && lead != 0x7F ? 1 : 0;
    }
    std::size_t length = 0;
    std::uint32_t code = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        code = lead & 0x1Fu;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        code = lead & 0x0Fu;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        code = lead & 0x07u;
    } else {
        return 0;
    }
    if (text.size() - i < length) {
        return 0;
    }
    for (std::size_t k = 1; k < length; ++k) {
        if ((byte(i + k) & 0xC0u) != 0x80u) {
            return 0;
        }
        code = (code << 6) | (byte(i + k) & 0x3Fu);
    }
    const std::uint32_t smallest[] = {0, 0, 0x80, 0x800, 0x10000};
    const bool valid = code >= smallest[length] && code <= 0x10FFFF &&
                       !(code >= 0xD800 && code <= 0xDFFF) && code != 0xFFFE && code != 0xFFFF &&
                       !(code >= 0x80 && code <= 0x9F);
    return valid ? length : 0;
}

const char* entityFor(char c) {
    switch (c) {
        case '&':
            return "&amp;";
        case '<':
            return "&lt;";
        case '>':
            return "&gt;";
        case '"':
            return "&quot;";
        case '\'':
            return "&apos;";
        default:
            return nullptr;
    }
}

}  // namespace

std::string xmlText(const std::string& text) {
    std::string shown;
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t length = allowedCharacterAt(text, i);
        if (length == 0) {
            char hex[5];
            std::snprintf(hex, sizeof hex, "\\x%02X",
                          static_cast<unsigned>(static_cast<unsigned char>(text[i])));
            shown += hex;
            ++i;
        } else if (const char* entity = entityFor(text[i])) {
            shown += entity;
            ++i;
        } else {
            shown.append(text, i, length);
            i += length;
        }
    }
    return shown;
}

void SvgWriter::begin(int width, int height, const std::string& title, const char* css) {
    std::fprintf(out,
                 "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                 "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"%d\" "
                 "height=\"%d\" viewBox=\"0 0 %d %d\" font-family=\"sans-serif\">\n"
                 "<title>%s</title>\n<style type=\"text/css\"><![CDATA[\n%s]]></style>\n",
                 width, height, width, height, xmlText(title).c_str(), css);
}

void SvgWriter::end() {
    std::fputs("</svg>\n", out);
}

void SvgWriter::rect(const char* cls, int x, int y, int width, int height,
                     const std::string& title) {
    std::fprintf(out, "<rect class=\"%s\" x=\"%d\" y=\"%d\" width=\"%d\" height=\"%d\"", cls, x, y,
                 width, height);
    if (title.empty()) {
        std::fputs("/>\n", out);
    } else {
        std::fprintf(out, "><title>%s</title></rect>\n", xmlText(title).c_str());
    }
}

void SvgWriter::text(const char* cls, int x, int y, const std::string& content) {
    std::fprintf(out, "<text class=\"%s\" x=\"%d\" y=\"%d\">%s</text>\n", cls, x, y,
                 xmlText(content).c_str());
}

void SvgWriter::path(const char* cls, const std::string& d) {
    std::fprintf(out, "<path class=\"%s\" d=\"%s\"/>\n", cls, d.c_str());
}

void SvgWriter::beginGroup(const char* cls) {
    std::fprintf(out, "<g class=\"%s\">\n", cls);
}

void SvgWriter::endGroup() {
    std::fputs("</g>\n", out);
}

}  // namespace d88info
