// Consoles on Windows: text written to a console as UTF-16, whatever its code
// page, names converted to Shift_JIS for files and pipes, the console window
// of the program's own, and the command line in UTF-16 from wmain.
#include <io.h>
#include <windows.h>

#include <cerrno>
#include <climits>
#include <cstring>
#include <cwchar>

#include "ConsoleText.h"
#include "ShiftJisDecoder.h"

namespace d88console {

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

// `chars` UTF-16 characters as UTF-8; empty when they cannot be converted.
std::string toUtf8(const wchar_t* wide, int chars) {
    const int bytes = WideCharToMultiByte(CP_UTF8, 0, wide, chars, nullptr, 0, nullptr, nullptr);
    std::string text(bytes > 0 ? static_cast<std::size_t>(bytes) : 0, '\0');
    if (bytes <= 0 || WideCharToMultiByte(CP_UTF8, 0, wide, chars, text.data(), bytes, nullptr,
                                          nullptr) != bytes) {
        return {};
    }
    return text;
}

}  // namespace

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
    return toUtf8(wide.data(), static_cast<int>(got));
}

bool changeFolder(const std::string& folder) {
    const std::wstring wide = toWide(folder.data(), folder.size());
    return !wide.empty() && SetCurrentDirectoryW(wide.c_str()) != 0;
}

bool isFolder(const std::string& path) {
    const std::wstring wide = toWide(path.data(), path.size());
    const DWORD attributes =
        wide.empty() ? INVALID_FILE_ATTRIBUTES : GetFileAttributesW(wide.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool filesInFolder(const std::string& folder, std::vector<std::string>& names) {
    const bool endsInSlash = !folder.empty() && (folder.back() == '\\' || folder.back() == '/');
    const std::string pattern = folder + (endsInSlash ? "*" : "\\*");
    const std::wstring wide = toWide(pattern.data(), pattern.size());
    WIN32_FIND_DATAW found;
    const HANDLE search =
        wide.empty() ? INVALID_HANDLE_VALUE : FindFirstFileW(wide.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        return GetLastError() == ERROR_FILE_NOT_FOUND;
    }
    do {
        if ((found.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE)) == 0) {
            const std::string name =
                toUtf8(found.cFileName, static_cast<int>(wcslen(found.cFileName)));
            if (!name.empty()) {
                names.push_back(name);
            }
        }
    } while (FindNextFileW(search, &found) != 0);
    FindClose(search);
    return true;
}

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

void ignoreReadersGoingAway() {
    // Windows sends no signal when a pipe's reader goes away: the write fails.
}

bool readerWentAway(int error) {
    const DWORD cause = GetLastError();
    return error == EPIPE || cause == ERROR_BROKEN_PIPE || cause == ERROR_NO_DATA ||
           cause == ERROR_PIPE_NOT_CONNECTED;
}

void flushStandardOutputByLine() {
    // Line buffering is full buffering there: write each message at once.
    std::setvbuf(stdout, nullptr, _IONBF, 0);
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

}  // namespace d88console
