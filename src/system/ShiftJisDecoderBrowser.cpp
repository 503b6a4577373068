// Shift_JIS decoded in the browser by the page's own decoder: the C library's
// iconv would carry every legacy character set's tables into the module.
#include <emscripten.h>

#include <cstring>

#include "ConsoleText.h"
#include "ShiftJisDecoder.h"

namespace d88console {

namespace {

// Returns the UTF-8 length written, or -1 when the text is not Shift_JIS or
// does not fit.
EM_JS(int, decodeShiftJisInBrowser, (const char* text, int length, char* out, int room), {
    try {
        const decoded = new TextDecoder("shift_jis", {fatal : true})
                            .decode(HEAPU8.subarray(text, text + length));
        const bytes = lengthBytesUTF8(decoded);
        if (bytes >= room) {
            return -1;
        }
        stringToUTF8(decoded, out, room);
        return bytes;
    } catch (error) {
        return -1;
    }
});

}  // namespace

bool decodeShiftJis(const char* text, std::size_t length, char* out, std::size_t room,
                    std::size_t& written) {
    // 3 bytes for each byte of text at the most, and the terminator the decoder adds.
    char decoded[3 * kMaxShiftJisText + 1];
    const int bytes = decodeShiftJisInBrowser(text, static_cast<int>(length), decoded,
                                              static_cast<int>(sizeof decoded));
    if (bytes < 0 || static_cast<std::size_t>(bytes) > room) {
        return false;
    }
    std::memcpy(out, decoded, static_cast<std::size_t>(bytes));
    written = static_cast<std::size_t>(bytes);
    return true;
}

}  // namespace d88console
