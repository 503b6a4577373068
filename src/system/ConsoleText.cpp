// What is the same on every system: the shape of Shift_JIS text, printing
// UTF-8 text, and the rule for a console window of the program's own.
#include "ConsoleText.h"

#include <cstdarg>
#include <vector>

#include "ShiftJisDecoder.h"

namespace d88console {

namespace {

// Shift_JIS as code page 932 lays it out: ASCII, half-width katakana
// 0xA1-0xDF, and pairs of a lead byte 0x81-0x9F or 0xE0-0xFC and a trail
// byte 0x40-0x7E or 0x80-0xFC. The system's decoder then says which pairs are
// characters; this check keeps the bytes it is lenient with (a lone 0x80, 0xA0
// or 0xFD-0xFF) invalid on every system alike.
bool hasShiftJisShape(const char* text, std::size_t length) {
    for (std::size_t i = 0; i < length; ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte <= 0x7F || (byte >= 0xA1 && byte <= 0xDF)) {
            continue;
        }
        const bool lead = (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
        if (!lead || ++i == length) {
            return false;
        }
        const auto trail = static_cast<unsigned char>(text[i]);
        if (trail < 0x40 || trail == 0x7F || trail > 0xFC) {
            return false;
        }
    }
    return true;
}

// The bytes of the UTF-8 character that starts with `lead`; 1 for a byte that
// starts none.
std::size_t characterLength(unsigned char lead) {
    if (lead >= 0xF0 && lead <= 0xF7) {
        return 4;
    }
    if (lead >= 0xE0) {
        return lead <= 0xEF ? 3 : 1;
    }
    return lead >= 0xC0 ? 2 : 1;
}

// The columns of the character of `length` bytes at `text`.
std::size_t characterColumns(const unsigned char* text, std::size_t length) {
    if (text[0] < 0x80) {
        return 1;
    }
    // Half-width katakana, U+FF61 to U+FF9F: EF BD A1-BF and EF BE 80-9F.
    const bool halfWidth =
        length == 3 && text[0] == 0xEF &&
        ((text[1] == 0xBD && text[2] >= 0xA1) || (text[1] == 0xBE && text[2] <= 0x9F));
    return halfWidth ? 1 : 2;
}

}  // namespace

TextCharacter characterAt(const std::string& utf8, std::size_t at) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(utf8.data()) + at;
    std::size_t length = characterLength(bytes[0]);
    if (length > utf8.size() - at) {
        length = 1;
    }
    return {length, characterColumns(bytes, length)};
}

std::size_t columnsOf(const std::string& utf8) {
    std::size_t columns = 0;
    for (std::size_t at = 0; at < utf8.size();) {
        const TextCharacter character = characterAt(utf8, at);
        columns += character.columns;
        at += character.length;
    }
    return columns;
}

bool shiftJisToUtf8(const char* text, std::size_t length, char* out, std::size_t room,
                    std::size_t& written) {
    written = 0;
    if (length > kMaxShiftJisText || !hasShiftJisShape(text, length)) {
        return false;
    }
    return length == 0 || decodeShiftJis(text, length, out, room, written);
}

void printText(std::FILE* stream, const char* format, ...) {
    std::va_list args;
    va_start(args, format);
    std::va_list again;
    va_copy(again, args);
    const int length = std::vsnprintf(nullptr, 0, format, args);
    va_end(args);
    if (length >= 0) {
        std::vector<char> text(static_cast<std::size_t>(length) + 1);
        std::vsnprintf(text.data(), text.size(), format, again);
        writeUtf8(stream, formOf(stream), text.data(), static_cast<std::size_t>(length));
    }
    va_end(again);
}

bool ownsConsoleWindow(unsigned long processesAttached, bool inputIsConsole, bool outputIsConsole) {
    return processesAttached == 1 && inputIsConsole && outputIsConsole;
}

}  // namespace d88console
