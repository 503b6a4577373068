#include "ConsoleText.h"

#include <cerrno>

#ifdef _WIN32
#include <io.h>
#include <windows.h>
#else
#include <langinfo.h>
#include <unistd.h>

#include <clocale>
#include <cstring>
#endif

namespace d88console {

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

}  // namespace

TextForm formOf(std::FILE* stream) {
    DWORD mode = 0;
    if (!GetConsoleMode(handleOf(stream), &mode)) {
        return TextForm::Bytes;
    }
    return GetConsoleOutputCP() == kShiftJisCodePage ? TextForm::Bytes : TextForm::Console;
}

bool writeUtf8(std::FILE* stream, TextForm form, const char* text, std::size_t length) {
    if (form != TextForm::Console) {
        return std::fwrite(text, 1, length, stream) == length;
    }
    static wchar_t wide[8192];
    const int chars = MultiByteToWideChar(CP_UTF8, 0, text, static_cast<int>(length), wide,
                                          static_cast<int>(sizeof wide / sizeof wide[0]));
    DWORD written = 0;
    std::fflush(stream);
    return chars > 0 &&
           WriteConsoleW(handleOf(stream), wide, static_cast<DWORD>(chars), &written, nullptr) &&
           written == static_cast<DWORD>(chars);
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

bool writeUtf8(std::FILE* stream, TextForm, const char* text, std::size_t length) {
    return std::fwrite(text, 1, length, stream) == length;
}

bool readerWentAway(int error) {
    return error == EPIPE;
}

#endif

}  // namespace d88console
