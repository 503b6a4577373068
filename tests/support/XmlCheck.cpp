#include "XmlCheck.h"

#include <cctype>
#include <cstdint>
#include <cstdlib>

namespace d88test {

namespace {

// Appends code point `code` to `out` as UTF-8.
void appendUtf8(std::string& out, std::uint32_t code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

bool isXmlChar(std::uint32_t code) {
    return code == 0x9 || code == 0xA || code == 0xD || (code >= 0x20 && code <= 0xD7FF) ||
           (code >= 0xE000 && code <= 0xFFFD) || (code >= 0x10000 && code <= 0x10FFFF);
}

// Decodes the whole text as UTF-8 and checks every character is one XML allows.
bool checkCharacters(const std::string& text, std::string& error) {
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const std::size_t length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
        std::uint32_t code = length == 1 ? lead : lead & (0x3F >> (length - 1));
        bool valid = (lead < 0x80 || lead >= 0xC2) && lead <= 0xF4 && text.size() - i >= length;
        for (std::size_t k = 1; valid && k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            valid = (next & 0xC0) == 0x80;
            code = (code << 6) | (next & 0x3Fu);
        }
        const std::uint32_t smallest[] = {0, 0, 0x80, 0x800, 0x10000};
        if (!valid || code < smallest[length] || !isXmlChar(code)) {
            error = "not an XML character in UTF-8 at byte " + std::to_string(i);
            return false;
        }
        i += length;
    }
    return true;
}

class Parser {
  public:
    explicit Parser(const std::string& document) : doc(document) {}

    bool document(XmlElement& root) {
        if (!checkCharacters(doc, error)) {
            return false;
        }
        if (!misc() || !element(root) || !misc()) {
            return false;
        }
        return pos == doc.size() || fail("text after the root element");
    }

    std::string error;

  private:
    bool fail(const std::string& what) {
        if (error.empty()) {
            error = what + " at byte " + std::to_string(pos);
        }
        return false;
    }
    bool startsWith(const char* text) const {
        return doc.compare(pos, std::string(text).size(), text) == 0;
    }
    void skipSpace() {
        while (pos < doc.size() &&
               (doc[pos] == ' ' || doc[pos] == '\t' || doc[pos] == '\n' || doc[pos] == '\r')) {
            ++pos;
        }
    }
    // Skips past `end`; false when it never comes.
    bool skipPast(const char* end) {
        const std::size_t found = doc.find(end, pos);
        if (found == std::string::npos) {
            return fail(std::string("no ") + end);
        }
        pos = found + std::string(end).size();
        return true;
    }
    // Whitespace, comments and processing instructions.
    bool misc() {
        for (;;) {
            skipSpace();
            if (startsWith("<!--")) {
                if (!skipPast("-->")) {
                    return false;
                }
            } else if (startsWith("<?")) {
                if (!skipPast("?>")) {
                    return false;
                }
            } else {
                return true;
            }
        }
    }
    bool name(std::string& out) {
        const std::size_t start = pos;
        while (pos < doc.size() &&
               (std::isalnum(static_cast<unsigned char>(doc[pos])) || doc[pos] == '_' ||
                doc[pos] == ':' || doc[pos] == '-' || doc[pos] == '.')) {
            ++pos;
        }
        out = doc.substr(start, pos - start);
        return (!out.empty() && !std::isdigit(static_cast<unsigned char>(out[0])) &&
                out[0] != '-' && out[0] != '.') ||
               fail("no name");
    }
    // A reference after '&', appended to `out`.
    bool reference(std::string& out) {
        const std::size_t end = doc.find(';', pos);
        if (end == std::string::npos) {
            return fail("unended reference");
        }
        const std::string ref = doc.substr(pos, end - pos);
        pos = end + 1;
        static const std::map<std::string, char> entities = {
            {"amp", '&'}, {"lt", '<'}, {"gt", '>'}, {"quot", '"'}, {"apos", '\''}};
        if (const auto found = entities.find(ref); found != entities.end()) {
            out += found->second;
            return true;
        }
        const bool hex = ref.size() > 2 && ref[0] == '#' && ref[1] == 'x';
        const std::string digits = ref.substr(hex ? 2 : 1);
        char* stop = nullptr;
        const unsigned long code = std::strtoul(digits.c_str(), &stop, hex ? 16 : 10);
        if (ref.size() < 2 || ref[0] != '#' || digits.empty() || *stop != '\0' ||
            !isXmlChar(static_cast<std::uint32_t>(code))) {
            return fail("unknown reference &" + ref + ";");
        }
        appendUtf8(out, static_cast<std::uint32_t>(code));
        return true;
    }
    bool attribute(XmlElement& element) {
        std::string key;
        if (!name(key)) {
            return false;
        }
        skipSpace();
        if (pos >= doc.size() || doc[pos++] != '=') {
            return fail("no = after attribute " + key);
        }
        skipSpace();
        const char quote = pos < doc.size() ? doc[pos++] : '\0';
        if (quote != '"' && quote != '\'') {
            return fail("unquoted attribute " + key);
        }
        std::string value;
        while (pos < doc.size() && doc[pos] != quote) {
            const char c = doc[pos++];
            if (c == '<') {
                return fail("< in attribute " + key);
            }
            if (c != '&') {
                value += c;
            } else if (!reference(value)) {
                return false;
            }
        }
        if (pos++ >= doc.size()) {
            return fail("unended attribute " + key);
        }
        return element.attributes.emplace(key, value).second || fail("attribute twice: " + key);
    }
    bool content(XmlElement& element) {
        while (pos < doc.size()) {
            if (startsWith("</")) {
                pos += 2;
                std::string end;
                if (!name(end) || end != element.name) {
                    return fail("</" + end + "> closes <" + element.name + ">");
                }
                skipSpace();
                return (pos < doc.size() && doc[pos++] == '>') || fail("unended end tag");
            }
            if (startsWith("<![CDATA[")) {
                pos += 9;
                const std::size_t end = doc.find("]]>", pos);
                if (end == std::string::npos) {
                    return fail("unended CDATA");
                }
                element.text += doc.substr(pos, end - pos);
                pos = end + 3;
            } else if (startsWith("<!--")) {
                if (!skipPast("-->")) {
                    return false;
                }
            } else if (startsWith("<?")) {
                if (!skipPast("?>")) {
                    return false;
                }
            } else if (doc[pos] == '<') {
                element.children.emplace_back();
                if (!this->element(element.children.back())) {
                    return false;
                }
            } else if (startsWith("]]>")) {
                return fail("]]> in text");
            } else if (doc[pos] == '&') {
                ++pos;
                if (!reference(element.text)) {
                    return false;
                }
            } else {
                element.text += doc[pos++];
            }
        }
        return fail("<" + element.name + "> is never closed");
    }
    bool element(XmlElement& element) {
        if (pos >= doc.size() || doc[pos++] != '<' || !name(element.name)) {
            return fail("no element");
        }
        for (;;) {
            const std::size_t before = pos;
            skipSpace();
            if (startsWith("/>")) {
                pos += 2;
                return true;
            }
            if (startsWith(">")) {
                ++pos;
                return content(element);
            }
            if (pos == before) {
                return fail("no space before an attribute");
            }
            if (!attribute(element)) {
                return false;
            }
        }
    }

    const std::string& doc;
    std::size_t pos = 0;
};

}  // namespace

bool parseXml(const std::string& document, XmlElement& root, std::string& error) {
    Parser parser(document);
    root = XmlElement{};
    const bool parsed = parser.document(root);
    error = parser.error;
    return parsed;
}

}  // namespace d88test
