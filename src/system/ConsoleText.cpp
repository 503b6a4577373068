#include "ConsoleText.h"

#include <cerrno>
#include <climits>
#include <cstdarg>
#include <cstring>
#include <vector>

#ifdef _WIN32
#include <io.h>
#include <windows.h>
#else
#ifdef __EMSCRIPTEN__
#include <emscripten.h>
#else
#include <iconv.h>
#endif
#include <langinfo.h>
#include <unistd.h>

#include <clocale>
#endif

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

// The system's decoder, on text of the right shape and length.
bool decodeShiftJis(const char* text, std::size_t length, char* out, std::size_t room,
                    std::size_t& written);

}  // namespace

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

#ifdef _WIN32

namespace {

constexpr UINT kShiftJisCodePage = 932;

// The longest command line Windows passes, as UTF-8, and its arguments.
constexpr int kCommandLineChars = 32768;
char argumentBytes[3 * kCommandLineChars + kCommandLineChars];
char* argumentList[kCommandLineChars / 2 + 2];

HANDLE handleOf(std::FILE* stream) {
    return reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stream)));
}

bool isConsole(HANDLE handle) {
    DWORD mode = 0;
    return GetConsoleMode(handle, &mode) != 0;
}

// UTF-8 text as UTF-16; empty when it is not UTF-8.
std::wstring toWide(const char* text, std::size_t length) {
    if (length == 0 || length > INT_MAX) {
        return {};
    }
    const int size = static_cast<int>(length);
    const int chars = MultiByteToWideChar(CP_UTF8, 0, text, size, nullptr, 0);
    std::wstring wide(chars > 0 ? static_cast<std::size_t>(chars) : 0, L'\0');
    if (chars <= 0 || MultiByteToWideChar(CP_UTF8, 0, text, size, wide.data(), chars) != chars) {
        return {};
    }
    return wide;
}

}  // namespace

TextForm formOf(std::FILE* stream) {
    return isConsole(handleOf(stream)) ? TextForm::Console : TextForm::Bytes;
}

std::string nameInForm(const char* name, TextForm form) {
    if (form != TextForm::Bytes) {
        return name;
    }
    const std::wstring wide = toWide(name, std::strlen(name));
    if (wide.empty()) {
        return name;
    }
    // No best fit: a character Shift_JIS lacks is '?', never a look-alike.
    const int size = static_cast<int>(wide.size());
    const int bytes = WideCharToMultiByte(kShiftJisCodePage, WC_NO_BEST_FIT_CHARS, wide.data(),
                                          size, nullptr, 0, "?", nullptr);
    std::string shown(bytes > 0 ? static_cast<std::size_t>(bytes) : 0, '\0');
    if (bytes <= 0 || WideCharToMultiByte(kShiftJisCodePage, WC_NO_BEST_FIT_CHARS, wide.data(),
                                          size, shown.data(), bytes, "?", nullptr) != bytes) {
        return name;
    }
    return shown;
}

bool isSystemHelpSwitch(const char* arg) {
    return std::strcmp(arg, "/?") == 0;
}

bool startedInOwnConsole() {
    DWORD processes[2];
    const DWORD attached = GetConsoleProcessList(processes, 2);
    return ownsConsoleWindow(attached, isConsole(GetStdHandle(STD_INPUT_HANDLE)),
                             isConsole(GetStdHandle(STD_OUTPUT_HANDLE)));
}

void waitForKey() {
    const HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
    // Keys pressed while the run went on do not count.
    FlushConsoleInputBuffer(input);
    INPUT_RECORD record;
    DWORD read = 0;
    while (ReadConsoleInputW(input, &record, 1, &read) && read == 1) {
        if (record.EventType == KEY_EVENT && record.Event.KeyEvent.bKeyDown) {
            return;
        }
    }
}

std::string currentFolder() {
    const DWORD chars = GetCurrentDirectoryW(0, nullptr);
    if (chars == 0) {
        return {};
    }
    std::wstring wide(chars, L'\0');
    const DWORD got = GetCurrentDirectoryW(chars, wide.data());
    if (got == 0 || got >= chars) {
        return {};
    }
    const int size = static_cast<int>(got);
    const int bytes =
        WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
    std::string folder(bytes > 0 ? static_cast<std::size_t>(bytes) : 0, '\0');
    if (bytes <= 0 || WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, folder.data(), bytes,
                                          nullptr, nullptr) != bytes) {
        return {};
    }
    return folder;
}

namespace {

bool decodeShiftJis(const char* text, std::size_t length, char* out, std::size_t room,
                    std::size_t& written) {
    wchar_t wide[kMaxShiftJisText];
    const int chars =
        MultiByteToWideChar(kShiftJisCodePage, MB_ERR_INVALID_CHARS, text, static_cast<int>(length),
                            wide, static_cast<int>(kMaxShiftJisText));
    if (chars <= 0) {
        return false;
    }
    const std::size_t most = 3 * kMaxShiftJisText;
    const int bytes =
        WideCharToMultiByte(CP_UTF8, 0, wide, chars, out,
                            static_cast<int>(room < most ? room : most), nullptr, nullptr);
    if (bytes <= 0) {
        return false;
    }
    written = static_cast<std::size_t>(bytes);
    return true;
}

}  // namespace

bool writeUtf8(std::FILE* stream, TextForm form, const char* text, std::size_t length) {
    if (form != TextForm::Console) {
        return std::fwrite(text, 1, length, stream) == length;
    }
    const std::wstring wide = toWide(text, length);
    DWORD written = 0;
    std::fflush(stream);
    return !wide.empty() &&
           WriteConsoleW(handleOf(stream), wide.data(), static_cast<DWORD>(wide.size()), &written,
                         nullptr) &&
           written == static_cast<DWORD>(wide.size());
}

bool readerWentAway(int error) {
    const DWORD cause = GetLastError();
    return error == EPIPE || cause == ERROR_BROKEN_PIPE || cause == ERROR_NO_DATA ||
           cause == ERROR_PIPE_NOT_CONNECTED;
}

char** utf8Arguments(int argc, wchar_t** argv) {
    const int count = argc < 0 ? 0 : (argc < kCommandLineChars / 2 ? argc : kCommandLineChars / 2);
    std::size_t used = 0;
    for (int i = 0; i < count; ++i) {
        char* slot = argumentBytes + used;
        const int room = static_cast<int>(sizeof argumentBytes - used);
        const int bytes =
            WideCharToMultiByte(CP_UTF8, 0, argv[i], -1, slot, room, nullptr, nullptr);
        if (bytes <= 0) {
            slot[0] = '\0';
            used += 1;
        } else {
            used += static_cast<std::size_t>(bytes);
        }
        argumentList[i] = slot;
    }
    argumentList[count] = nullptr;
    return argumentList;
}

#else

namespace {

bool localeIsUtf8() {
    // Asked of the user's locale, then the program goes back to the C locale.
    const char* previous = std::setlocale(LC_CTYPE, "");
    const bool utf8 = previous != nullptr && std::strcmp(nl_langinfo(CODESET), "UTF-8") == 0;
    std::setlocale(LC_CTYPE, "C");
    return utf8;
}

}  // namespace

TextForm formOf(std::FILE* stream) {
    return isatty(fileno(stream)) && localeIsUtf8() ? TextForm::Utf8 : TextForm::Bytes;
}

std::string nameInForm(const char* name, TextForm) {
    return name;
}

bool isSystemHelpSwitch(const char*) {
    return false;
}

bool startedInOwnConsole() {
    return false;
}

void waitForKey() {}

std::string currentFolder() {
    std::vector<char> folder(PATH_MAX + 1);
    return getcwd(folder.data(), folder.size()) != nullptr ? std::string(folder.data())
                                                           : std::string();
}

namespace {

#ifdef __EMSCRIPTEN__

// In the browser the page's own decoder reads Shift_JIS: the C library's
// iconv would carry every legacy character set's tables into the module.
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

#else

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

#endif

}  // namespace

bool writeUtf8(std::FILE* stream, TextForm, const char* text, std::size_t length) {
    return std::fwrite(text, 1, length, stream) == length;
}

bool readerWentAway(int error) {
    return error == EPIPE;
}

#endif

}  // namespace d88console
