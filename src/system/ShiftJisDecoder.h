// The system's decoder of Shift_JIS text, behind shiftJisToUtf8(): iconv on
// POSIX systems, the page's TextDecoder in the browser, code page 932 on
// Windows. CMake builds the one for the system.
#pragma once

#include <cstddef>

namespace d88console {

// Decodes `length` bytes (1 to kMaxShiftJisText) of text that has Shift_JIS's
// shape into UTF-8 at `out`, which has room for `room` bytes, and stores the
// number of bytes written in `written`. False when the system's decoder
// refuses the text or it does not fit.
bool decodeShiftJis(const char* text, std::size_t length, char* out, std::size_t room,
                    std::size_t& written);

}  // namespace d88console
