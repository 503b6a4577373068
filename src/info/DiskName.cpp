#include "DiskName.h"

#include <cstring>
#include <string>

namespace d88info {

namespace {

// The text with control characters, '"' and '\', and when `escapeHigh` also
// every byte above 0x7E, written as \xNN.
std::string escaped(const char* text, std::size_t length, bool escapeHigh) {
    std::string shown;
    for (std::size_t i = 0; i < length; ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        const bool control = byte < 0x20 || byte == 0x7F;
        if (control || byte == '"' || byte == '\\' || (escapeHigh && byte > 0x7E)) {
            char hex[5];
            std::snprintf(hex, sizeof hex, "\\x%02X", static_cast<unsigned>(byte));
            shown += hex;
        } else {
            shown += static_cast<char>(byte);
        }
    }
    return shown;
}

}  // namespace

NameForm nameFormFor(std::FILE* out, bool utf8) {
    NameForm form;
    form.text = d88console::formOf(out);
    form.decode = utf8 || form.text != d88console::TextForm::Bytes;
    return form;
}

namespace {

// The name decoded when `decode` asks and it is Shift_JIS text; `decoded` says
// whether it was.
std::string shownName(const char* name, bool decode, bool& decoded) {
    std::string utf8;
    decoded = decode && decodeName(name, utf8);
    return decoded ? escaped(utf8.data(), utf8.size(), false)
                   : escaped(name, std::strlen(name), true);
}

}  // namespace

void printName(std::FILE* out, const NameForm& form, const char* name) {
    bool decoded = false;
    const std::string shown = shownName(name, form.decode, decoded);
    if (decoded) {
        d88console::writeUtf8(out, form.text, shown.data(), shown.size());
        return;
    }
    std::fwrite(shown.data(), 1, shown.size(), out);
}

bool decodeName(const char* name, std::string& utf8) {
    char decoded[3 * d88console::kMaxShiftJisText];
    std::size_t length = 0;
    if (!d88console::shiftJisToUtf8(name, std::strlen(name), decoded, sizeof decoded, length)) {
        return false;
    }
    utf8.assign(decoded, length);
    return true;
}

std::string nameText(const NameForm& form, const char* name) {
    bool decoded = false;
    return shownName(name, form.decode, decoded);
}

std::string nameAsUtf8(const char* name) {
    bool decoded = false;
    return shownName(name, true, decoded);
}

}  // namespace d88info
