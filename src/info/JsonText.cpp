#include "JsonText.h"

#include <cstdio>

namespace d88info {

namespace {

// The length of the UTF-8 sequence at `at`, 0 when none starts there.
std::size_t utf8Length(const std::string& text, std::size_t at) {
    const auto lead = static_cast<unsigned char>(text[at]);
    const std::size_t length = lead < 0x80                   ? 1
                               : lead >= 0xF0 && lead < 0xF5 ? 4
                               : lead >= 0xE0                ? 3
                               : lead >= 0xC2 && lead < 0xE0 ? 2
                                                             : 0;
    if (length == 0 || at + length > text.size()) {
        return 0;
    }
    for (std::size_t i = 1; i < length; ++i) {
        if ((static_cast<unsigned char>(text[at + i]) & 0xC0) != 0x80) {
            return 0;
        }
    }
    return length;
}

}  // namespace

std::string jsonString(const std::string& text) {
    std::string quoted = "\"";
    for (std::size_t at = 0; at < text.size();) {
        const auto byte = static_cast<unsigned char>(text[at]);
        const std::size_t length = utf8Length(text, at);
        if (length == 0) {
            quoted += "\\uFFFD";
            ++at;
        } else if (byte == '"' || byte == '\\') {
            quoted += '\\';
            quoted += text[at++];
        } else if (byte < 0x20) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04X", static_cast<unsigned>(byte));
            quoted += escape;
            ++at;
        } else {
            quoted.append(text, at, length);
            at += length;
        }
    }
    return quoted + "\"";
}

}  // namespace d88info
