// Text on a console or terminal: which form of its text a stream should get,
// and writing UTF-8 text in that form. Files and pipes get bytes exactly as
// the tools make them; a terminal or console that would show Shift_JIS bytes
// as garbage gets the same text in a form it can show. Also the console
// window itself: whether the run has one of its own, which closes when it ends;
// the standard streams' buffering; and the command line Windows passes.
//
// One interface for every system: ConsoleText.cpp holds what is the same
// everywhere, ConsolePosix.cpp and ConsoleWindows.cpp the rest, of which CMake
// builds the one for the system. A call with no meaning on a system does the
// trivial thing there; only utf8Arguments(), for wmain, is Windows's alone.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>
#include <vector>

namespace d88console {

enum class TextForm {
    Bytes,    // a file, a pipe, or a terminal that reads Shift_JIS
    Utf8,     // a terminal in a UTF-8 locale
    Console,  // a Windows console, whatever its code page: written as UTF-16
};

// The form of text for `stream`, from what it is connected to and, on a
// POSIX terminal, the character set of the user's locale. A Windows console
// on code page 932 is Console too: the C runtime's writes of Shift_JIS bytes
// come out garbled there, while UTF-16 shows right on every code page.
TextForm formOf(std::FILE* stream);

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

// printf of UTF-8 text to `stream`, in the form formOf() gives it: UTF-16 on a
// Windows console, the bytes themselves everywhere else.
void printText(std::FILE* stream, const char* format, ...);

// A path or program name from the command line as text in `form` carries it.
// On Windows the tools hold names as UTF-8, and Bytes (Shift_JIS text) gets
// them in Shift_JIS, a character it has no form for as '?'. Elsewhere names
// are bytes as given, and stay so.
std::string nameInForm(const char* name, TextForm form);

// The most columns a line of a console window of 80 takes: a line that fills
// all 80 moves the cursor on by itself, and its line feed then leaves an empty
// line.
inline constexpr std::size_t kWindowLineColumns = 79;

// One character of UTF-8 text: its bytes, and the columns a console gives it.
struct TextCharacter {
    std::size_t length;
    std::size_t columns;
};

// The character that starts at byte `at` of `utf8` (at < utf8.size()): one
// column for ASCII and half-width katakana, two for any other (full-width,
// and to be safe those a Japanese font shows wide, such as Greek letters and
// circled numbers); a byte that starts no whole character is one character
// of two columns.
TextCharacter characterAt(const std::string& utf8, std::size_t at);

// The columns UTF-8 text takes on a console, characterAt() of each character.
std::size_t columnsOf(const std::string& utf8);

// Whether `arg` asks for help the way the system's own commands take it:
// "/?" on Windows; no argument elsewhere, where "/?" is a path.
bool isSystemHelpSwitch(const char* arg);

// Whether a console window is the program's own, made for it and closed the
// moment it ends (a program dropped on or double-clicked in Explorer): no
// other process is attached to the console, and standard input and standard
// output are that console. A shared console (cmd, PowerShell, a script),
// redirected input, or output that goes to a file or pipe, never is.
bool ownsConsoleWindow(unsigned long processesAttached, bool inputIsConsole, bool outputIsConsole);

// ownsConsoleWindow() of this process's console; never on POSIX systems.
bool startedInOwnConsole();

// Waits for a key on the console of standard input, so that a window of the
// program's own stays open to be read.
void waitForKey();

// The working directory as a full path, in UTF-8 on Windows; empty when the
// system does not say.
std::string currentFolder();

// Makes `folder` (UTF-8 on Windows) the working directory; false when it
// cannot be.
bool changeFolder(const std::string& folder);

// Whether `path` (UTF-8 on Windows) names a folder.
bool isFolder(const std::string& path);

// The names of the regular files directly in `folder` (UTF-8 on Windows), in
// no order; false when the folder cannot be read.
bool filesInFolder(const std::string& folder, std::vector<std::string>& names);

// Whether the write that just failed with `error` (an errno value) failed
// because the stream's reader went away: a pipe whose other end is closed.
bool readerWentAway(int error);

// Keeps a reader that stops reading from ending the run: SIGPIPE is ignored,
// so that the write fails instead. Windows sends no such signal.
void ignoreReadersGoingAway();

// Makes standard output line-buffered, so that a log taking both streams
// holds the lines in the order they happened. On Windows, where line
// buffering is full buffering, it is unbuffered: each message written at once.
void flushStandardOutputByLine();

// The command line as UTF-8 strings, for a program started through wmain;
// static storage, valid for the whole run. Windows only: elsewhere a program
// starts through main with its arguments as the bytes given, and this has no
// definition.
char** utf8Arguments(int argc, wchar_t** argv);

}  // namespace d88console
