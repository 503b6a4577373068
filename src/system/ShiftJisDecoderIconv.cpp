// Shift_JIS decoded by the C library's iconv, on POSIX systems.
#include <iconv.h>

#include "ShiftJisDecoder.h"

namespace d88console {

bool decodeShiftJis(const char* text, std::size_t length, char* out, std::size_t room,
                    std::size_t& written) {
    const iconv_t decoder = iconv_open("UTF-8", "CP932");
    if (decoder == reinterpret_cast<iconv_t>(-1)) {
        return false;
    }
    // iconv takes the input as char** though it never writes to it.
    char* in = const_cast<char*>(text);
    std::size_t inLeft = length;
    char* to = out;
    std::size_t outLeft = room;
    const std::size_t result = iconv(decoder, &in, &inLeft, &to, &outLeft);
    iconv_close(decoder);
    if (result == static_cast<std::size_t>(-1) || inLeft != 0) {
        return false;
    }
    written = room - outLeft;
    return true;
}

}  // namespace d88console
