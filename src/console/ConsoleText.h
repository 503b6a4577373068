// Text on a console or terminal: which form of its text a stream should get,
// and writing UTF-8 text in that form. Files and pipes get bytes exactly as
// the tools make them; a terminal or console that would show Shift_JIS bytes
// as garbage gets the same text in a form it can show.
#pragma once

#include <cstddef>
#include <cstdio>

namespace d88console {

enum class TextForm {
    Bytes,    // a file, a pipe, or a console or terminal that reads Shift_JIS
    Utf8,     // a terminal in a UTF-8 locale
    Console,  // a Windows console on another code page: written as UTF-16
};

// The form of text for `stream`, from what it is connected to and, on a
// POSIX terminal, the character set of the user's locale.
TextForm formOf(std::FILE* stream);

// The form for text in any script, which Shift_JIS bytes may not hold: as
// formOf(), but every Windows console, whatever its code page, is Console.
TextForm anyTextFormOf(std::FILE* stream);

inline constexpr std::size_t kMaxShiftJisText = 256;

// Decodes `length` bytes of Shift_JIS (code page 932) text into UTF-8 at
// `out`, which has room for `room` bytes (3 per byte of text is always
// enough), and stores the number of bytes written in `written`. False when
// the text is not valid Shift_JIS, is longer than kMaxShiftJisText bytes or
// does not fit; `out` then holds nothing to be used.
bool shiftJisToUtf8(const char* text, std::size_t length, char* out, std::size_t room,
                    std::size_t& written);

// Writes `length` bytes of UTF-8 text to `stream`, whose form is Utf8 or
// Console; false when it could not be written.
bool writeUtf8(std::FILE* stream, TextForm form, const char* text, std::size_t length);

// Whether the write that just failed with `error` (an errno value) failed
// because the stream's reader went away: a pipe whose other end is closed.
bool readerWentAway(int error);

#ifdef _WIN32
// The command line as UTF-8 strings, for a program started through wmain;
// static storage, valid for the whole run.
char** utf8Arguments(int argc, wchar_t** argv);
#endif

}  // namespace d88console
