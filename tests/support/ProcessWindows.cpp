// What ToolRun.h declares, as Windows does it.
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "ToolRun.h"

namespace d88test {

namespace {

std::wstring widen(const std::string& utf8, UINT codePage = CP_UTF8) {
    if (utf8.empty()) {
        return std::wstring();
    }
    const int size = static_cast<int>(utf8.size());
    const int chars = MultiByteToWideChar(codePage, 0, utf8.data(), size, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(chars), L'\0');
    MultiByteToWideChar(codePage, 0, utf8.data(), size, wide.data(), chars);
    return wide;
}

std::string narrow(const std::wstring& wide, UINT codePage) {
    if (wide.empty()) {
        return std::string();
    }
    const int size = static_cast<int>(wide.size());
    const int bytes =
        WideCharToMultiByte(codePage, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<std::size_t>(bytes), '\0');
    WideCharToMultiByte(codePage, 0, wide.data(), size, text.data(), bytes, nullptr, nullptr);
    return text;
}

// One argument as the C runtime splits the command line back into argv.
std::wstring quoted(const std::wstring& arg) {
    if (!arg.empty() && arg.find_first_of(L" \t\"") == std::wstring::npos) {
        return arg;
    }
    std::wstring out = L"\"";
    std::size_t backslashes = 0;
    for (wchar_t c : arg) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        // Backslashes before a quote are doubled, and the quote escaped.
        out.append(c == L'"' ? 2 * backslashes + 1 : backslashes, L'\\');
        backslashes = 0;
        out += c;
    }
    out.append(2 * backslashes, L'\\');
    return out + L"\"";
}

std::string slurp(const std::string& path) {
    std::ifstream in(pathOf(path), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

HANDLE inheritable(const std::wstring& path, DWORD access, DWORD disposition) {
    SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    const HANDLE handle = CreateFileW(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                      &inherit, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        throw std::runtime_error("cannot open a file for the program's streams");
    }
    return handle;
}

}  // namespace

bool canRedirectTo(OutputTo to) {
    return to != OutputTo::Full && to != OutputTo::Terminal;
}

ToolResult runTool(const std::string& program, const std::vector<std::string>& args,
                   const std::string& workDir, const RunOptions& options) {
    if (!canRedirectTo(options.stdoutTo) || !options.environment.empty() ||
        options.fileSizeLimit >= 0) {
        throw std::runtime_error("no such stream or setting on Windows");
    }
    ScratchDir capture;
    const std::string outPath = capture.file("stdout");
    const std::string errPath = capture.file("stderr");

    std::wstring commandLine = quoted(widen(options.argv0.empty() ? program : options.argv0));
    for (const std::string& arg : args) {
        commandLine += L" " + quoted(widen(arg));
    }
    const HANDLE input = inheritable(L"NUL", GENERIC_READ, OPEN_EXISTING);
    const HANDLE errors = inheritable(widen(errPath), GENERIC_WRITE, CREATE_ALWAYS);
    HANDLE output = errors;
    switch (options.stdoutTo) {
        case OutputTo::File:
            output = inheritable(widen(outPath), GENERIC_WRITE, CREATE_ALWAYS);
            break;
        case OutputTo::ClosedPipe: {
            SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
            HANDLE reader = nullptr;
            if (!CreatePipe(&reader, &output, &inherit, 0)) {
                throw std::runtime_error("CreatePipe failed");
            }
            CloseHandle(reader);
            break;
        }
        default:
            break;
    }
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = input;
    startup.hStdOutput = output;
    startup.hStdError = errors;
    PROCESS_INFORMATION process{};
    const std::wstring application = widen(program);
    const std::wstring directory = widen(workDir);
    // Wine now and then fails to start one of many programs started in a row:
    // a program that cannot be started is tried again a few times, and each
    // time that it failed is said, with the system's error.
    BOOL started = FALSE;
    for (int attempt = 0; attempt < 4 && !started; ++attempt) {
        if (attempt > 0) {
            std::fprintf(stderr, "[  NOTE    ] starting %s failed (error %lu); again\n",
                         program.c_str(), static_cast<unsigned long>(GetLastError()));
            Sleep(200);
        }
        started = CreateProcessW(application.c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0,
                                 nullptr, directory.c_str(), &startup, &process);
    }
    CloseHandle(input);
    CloseHandle(errors);
    if (output != errors) {
        CloseHandle(output);
    }
    if (!started) {
        throw std::runtime_error("cannot start " + program + " (error " +
                                 std::to_string(GetLastError()) + ")");
    }
    ToolResult result;
    const DWORD timeout = static_cast<DWORD>(options.timeoutSeconds) * 1000;
    if (WaitForSingleObject(process.hProcess, timeout) == WAIT_TIMEOUT) {
        result.timedOut = true;
        TerminateProcess(process.hProcess, 255);
        WaitForSingleObject(process.hProcess, INFINITE);
    }
    DWORD exitCode = 0;
    GetExitCodeProcess(process.hProcess, &exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    result.exitStatus = result.timedOut ? -1 : static_cast<int>(exitCode);
    result.out = fromTextMode(slurp(outPath));
    result.err = fromTextMode(slurp(errPath));
    return result;
}

namespace {

// Where a rerun on a console of its own hands its text back.
constexpr char kReportVariable[] = "D88CUT_TEST_REPORT";

}  // namespace

ConsoleScreen::ConsoleScreen() {
    const HANDLE screen =
        CreateConsoleScreenBuffer(GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                  nullptr, CONSOLE_TEXTMODE_BUFFER, nullptr);
    if (screen == INVALID_HANDLE_VALUE) {
        return;
    }
    const int fd = _open_osfhandle(reinterpret_cast<std::intptr_t>(screen), _O_TEXT);
    stream_ = fd >= 0 ? _fdopen(fd, "w") : nullptr;
    if (stream_ == nullptr) {
        CloseHandle(screen);
    }
}

ConsoleScreen::~ConsoleScreen() {
    if (stream_ != nullptr) {
        std::fclose(stream_);  // closes the screen's handle too
    }
}

std::string ConsoleScreen::line(int row) const {
    if (stream_ == nullptr) {
        return "";
    }
    const HANDLE screen = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stream_)));
    CONSOLE_SCREEN_BUFFER_INFO info;
    if (!GetConsoleScreenBufferInfo(screen, &info)) {
        return "";
    }
    std::wstring chars(static_cast<std::size_t>(info.dwSize.X), L' ');
    DWORD read = 0;
    const COORD start = {0, static_cast<SHORT>(row)};
    if (!ReadConsoleOutputCharacterW(screen, chars.data(), static_cast<DWORD>(chars.size()), start,
                                     &read)) {
        return "";
    }
    chars.resize(read);
    chars.erase(chars.find_last_not_of(L' ') + 1);
    return narrow(chars, CP_UTF8);
}

std::string rerunOnOwnConsole(const std::string& testName) {
    ScratchDir scratch;
    const std::string report = scratch.file("report");
    wchar_t self[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, self, MAX_PATH);
    if (length == 0 || length == MAX_PATH) {
        throw std::runtime_error("cannot tell the test program's own path");
    }
    std::wstring commandLine = quoted(self) + L" " + quoted(widen("--gtest_filter=" + testName));
    // The rerun inherits the variable that tells it where to report.
    SetEnvironmentVariableW(widen(kReportVariable).c_str(), widen(report).c_str());
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    const BOOL started = CreateProcessW(self, commandLine.data(), nullptr, nullptr, FALSE,
                                        CREATE_NO_WINDOW, nullptr, nullptr, &startup, &process);
    SetEnvironmentVariableW(widen(kReportVariable).c_str(), nullptr);
    if (!started) {
        throw std::runtime_error("cannot rerun the test program on a console of its own");
    }
    if (WaitForSingleObject(process.hProcess, 60000) == WAIT_TIMEOUT) {
        TerminateProcess(process.hProcess, 255);
        WaitForSingleObject(process.hProcess, INFINITE);
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return slurp(report);
}

bool onOwnConsole() {
    return std::getenv(kReportVariable) != nullptr;
}

void reportFromOwnConsole(const std::string& text) {
    const char* report = std::getenv(kReportVariable);
    if (report != nullptr) {
        std::ofstream(pathOf(report), std::ios::binary) << text;
    }
}

bool makeFifo(const std::string&) {
    return false;
}

std::FILE* openTerminal() {
    return nullptr;
}

void setLcAll(const char* value) {
    _putenv_s("LC_ALL", value);
}

bool startSlowFifoReader(const std::string&, int, SlowFifoReader&) {
    return false;
}

void writeSparseFile(
    const std::string& path, std::int64_t size,
    const std::vector<std::pair<std::int64_t, std::vector<std::uint8_t>>>& pieces) {
    const HANDLE file = CreateFileW(widen(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    bool written = file != INVALID_HANDLE_VALUE;
    if (written) {
        // Marked sparse where the file system can be, so that the zeros take no room.
        DWORD ignored = 0;
        DeviceIoControl(file, FSCTL_SET_SPARSE, nullptr, 0, nullptr, 0, &ignored, nullptr);
    }
    LARGE_INTEGER end;
    end.QuadPart = size;
    written = written && SetFilePointerEx(file, end, nullptr, FILE_BEGIN) && SetEndOfFile(file);
    for (const auto& [offset, bytes] : pieces) {
        OVERLAPPED where{};
        where.Offset = static_cast<DWORD>(offset & 0xFFFFFFFF);
        where.OffsetHigh = static_cast<DWORD>(offset >> 32);
        DWORD put = 0;
        written = written &&
                  WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &put, &where) &&
                  put == bytes.size();
    }
    if (file == INVALID_HANDLE_VALUE || !CloseHandle(file) || !written) {
        throw std::runtime_error("cannot write the sparse file " + path);
    }
}

std::string cp932(const std::string& utf8) {
    return narrow(widen(utf8), 932);
}

}  // namespace d88test
