// What ToolRun.h declares, as a POSIX system does it.
#include <fcntl.h>
#include <iconv.h>
#include <pty.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <stdexcept>
#include <thread>

#include "ToolRun.h"

namespace d88test {

namespace {

std::string slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Points the child's standard streams where the options say; false on failure.
bool redirectChild(const std::string& outPath, const std::string& errPath, OutputTo stdoutTo,
                   int terminal) {
    const int errFd = ::open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    const int nullFd = ::open("/dev/null", O_RDONLY);
    int outFd = -1;
    switch (stdoutTo) {
        case OutputTo::File:
            outFd = ::open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
            break;
        case OutputTo::ClosedPipe: {
            int fds[2];
            if (pipe(fds) == 0) {
                close(fds[0]);
                outFd = fds[1];
            }
            break;
        }
        case OutputTo::Full:
            outFd = ::open("/dev/full", O_WRONLY);
            break;
        case OutputTo::ErrorFile:
            outFd = dup(errFd);
            break;
        case OutputTo::Terminal:
            outFd = terminal;
            break;
    }
    return errFd >= 0 && nullFd >= 0 && outFd >= 0 && dup2(nullFd, 0) == 0 && dup2(outFd, 1) == 1 &&
           dup2(errFd, 2) == 2;
}

// Limits the size of the files the child writes, when asked: a write past the
// limit then fails with EFBIG rather than ending the program.
bool limitFileSize(std::int64_t limit) {
    if (limit < 0) {
        return true;
    }
    const struct rlimit bytes = {static_cast<rlim_t>(limit), static_cast<rlim_t>(limit)};
    return std::signal(SIGXFSZ, SIG_IGN) != SIG_ERR && setrlimit(RLIMIT_FSIZE, &bytes) == 0;
}

// Reads what the program wrote to its terminal, as long as there is any.
void drainTerminal(int terminal, std::string& out) {
    char bytes[4096];
    for (;;) {
        const ssize_t got = read(terminal, bytes, sizeof bytes);
        if (got <= 0) {
            return;
        }
        out.append(bytes, static_cast<std::size_t>(got));
    }
}

// Waits for the child, killing it once the timeout has passed.
int waitForChild(pid_t pid, int timeoutSeconds, int terminal, std::string& terminalOut,
                 bool& timedOut) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(timeoutSeconds);
    int status = 0;
    for (;;) {
        if (terminal >= 0) {
            drainTerminal(terminal, terminalOut);
        }
        const pid_t done = waitpid(pid, &status, WNOHANG);
        if (done == pid) {
            return status;
        }
        if (done < 0 && errno != EINTR) {
            throw std::runtime_error("waitpid failed");
        }
        if (!timedOut && std::chrono::steady_clock::now() > deadline) {
            timedOut = true;
            kill(pid, SIGKILL);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
}

}  // namespace

bool canRedirectTo(OutputTo) {
    return true;
}

ToolResult runTool(const std::string& program, const std::vector<std::string>& args,
                   const std::string& workDir, const RunOptions& options) {
    ScratchDir capture;
    const std::string outPath = capture.file("stdout");
    const std::string errPath = capture.file("stderr");

    std::vector<std::string> argvStrings;
    argvStrings.push_back(options.argv0.empty() ? program : options.argv0);
    argvStrings.insert(argvStrings.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& arg : argvStrings) {
        argv.push_back(arg.data());
    }
    argv.push_back(nullptr);

    // A raw terminal, so that its bytes come back as the program wrote them.
    int controller = -1;
    int terminal = -1;
    if (options.stdoutTo == OutputTo::Terminal) {
        struct termios raw {};
        cfmakeraw(&raw);
        if (openpty(&controller, &terminal, nullptr, &raw, nullptr) != 0) {
            throw std::runtime_error("openpty failed");
        }
        fcntl(controller, F_SETFL, fcntl(controller, F_GETFL) | O_NONBLOCK);
    }
    const pid_t pid = fork();
    if (pid < 0) {
        throw std::runtime_error("fork failed");
    }
    if (pid == 0) {
        // The user's language is the test's to choose: what the developer's
        // locale says stays out, so that every expectation holds anywhere.
        for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
            unsetenv(variable);
        }
        for (const std::string& setting : options.environment) {
            putenv(const_cast<char*>(setting.c_str()));
        }
        if (!redirectChild(outPath, errPath, options.stdoutTo, terminal) ||
            chdir(workDir.c_str()) != 0 || !limitFileSize(options.fileSizeLimit)) {
            _exit(127);
        }
        execv(program.c_str(), argv.data());
        _exit(127);
    }
    ToolResult result;
    if (terminal >= 0) {
        close(terminal);
    }
    const int status =
        waitForChild(pid, options.timeoutSeconds, controller, result.out, result.timedOut);
    if (controller >= 0) {
        drainTerminal(controller, result.out);
        close(controller);
    } else {
        result.out = slurp(outPath);
    }
    result.exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.err = slurp(errPath);
    return result;
}

ConsoleScreen::ConsoleScreen() = default;
ConsoleScreen::~ConsoleScreen() = default;

std::string ConsoleScreen::line(int) const {
    return "";
}

std::string rerunOnOwnConsole(const std::string&) {
    throw std::runtime_error("no console of a program's own on this system");
}

bool onOwnConsole() {
    return false;
}

void reportFromOwnConsole(const std::string&) {}

bool makeFifo(const std::string& path) {
    return mkfifo(path.c_str(), 0600) == 0;
}

std::FILE* openTerminal() {
    int controller = -1;
    int terminal = -1;
    if (openpty(&controller, &terminal, nullptr, nullptr, nullptr) != 0) {
        return nullptr;
    }
    return fdopen(terminal, "w");
}

void setLcAll(const char* value) {
    setenv("LC_ALL", value, 1);
}

bool startSlowFifoReader(const std::string& path, int delayMilliseconds, SlowFifoReader& reader) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK);
    if (fd < 0) {
        return false;
    }
#ifdef F_SETPIPE_SZ
    fcntl(fd, F_SETPIPE_SZ, 4096);
#endif
    reader.thread = std::thread([fd, delayMilliseconds, &reader] {
        std::this_thread::sleep_for(std::chrono::milliseconds(delayMilliseconds));
        // Until the writer has written and closed it, or for 10 s at most.
        char buffer[4096];
        for (int tries = 0; tries < 1000; ++tries) {
            const ssize_t got = ::read(fd, buffer, sizeof buffer);
            if (got > 0) {
                reader.bytes += static_cast<std::size_t>(got);
                continue;
            }
            if (got == 0 && reader.bytes > 0) {
                break;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        ::close(fd);
    });
    return true;
}

void writeSparseFile(
    const std::string& path, std::int64_t size,
    const std::vector<std::pair<std::int64_t, std::vector<std::uint8_t>>>& pieces) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    bool written = fd >= 0 && ftruncate(fd, static_cast<off_t>(size)) == 0;
    for (const auto& [offset, bytes] : pieces) {
        written = written && pwrite(fd, bytes.data(), bytes.size(), static_cast<off_t>(offset)) ==
                                 static_cast<ssize_t>(bytes.size());
    }
    if (fd < 0 || close(fd) != 0 || !written) {
        throw std::runtime_error("cannot write the sparse file " + path);
    }
}

std::string cp932(const std::string& utf8) {
    iconv_t converter = iconv_open("CP932", "UTF-8");
    if (converter == reinterpret_cast<iconv_t>(-1)) {
        throw std::runtime_error("iconv cannot convert to CP932");
    }
    std::string input = utf8;
    std::string output(input.size() * 2 + 16, '\0');
    char* in = input.data();
    std::size_t inLeft = input.size();
    char* out = output.data();
    std::size_t outLeft = output.size();
    const std::size_t converted = iconv(converter, &in, &inLeft, &out, &outLeft);
    iconv_close(converter);
    if (converted == static_cast<std::size_t>(-1) || inLeft != 0) {
        throw std::runtime_error("text has no CP932 form");
    }
    output.resize(output.size() - outLeft);
    return output;
}

}  // namespace d88test
