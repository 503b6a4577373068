#include "ToolRun.h"

#include <dirent.h>
#include <fcntl.h>
#include <iconv.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <thread>

namespace d88test {

namespace {

std::string slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace

ScratchDir::ScratchDir() {
    const char* base = std::getenv("TMPDIR");
    std::string pattern =
        std::string(base != nullptr && *base != '\0' ? base : "/tmp") + "/d88test.XXXXXX";
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    if (mkdtemp(buffer.data()) == nullptr) {
        throw std::runtime_error("mkdtemp failed");
    }
    path_ = buffer.data();
}

ScratchDir::~ScratchDir() {
    std::error_code ignored;
    // Restore write permission in case a test took it away, then remove all.
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ignored);
    std::filesystem::remove_all(path_, ignored);
}

bool ScratchDir::exists(const std::string& name) const {
    struct stat info;
    return lstat(file(name).c_str(), &info) == 0;
}

std::vector<std::string> ScratchDir::entries() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(path_)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

namespace {

// Points the child's standard streams where the options say; false on failure.
bool redirectChild(const std::string& outPath, const std::string& errPath, OutputTo stdoutTo) {
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
    }
    return errFd >= 0 && nullFd >= 0 && outFd >= 0 && dup2(nullFd, 0) == 0 && dup2(outFd, 1) == 1 &&
           dup2(errFd, 2) == 2;
}

// Waits for the child, killing it once the timeout has passed.
int waitForChild(pid_t pid, int timeoutSeconds, bool& timedOut) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(timeoutSeconds);
    int status = 0;
    for (;;) {
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

    const pid_t pid = fork();
    if (pid < 0) {
        throw std::runtime_error("fork failed");
    }
    if (pid == 0) {
        if (!redirectChild(outPath, errPath, options.stdoutTo) || chdir(workDir.c_str()) != 0) {
            _exit(127);
        }
        execv(program.c_str(), argv.data());
        _exit(127);
    }
    ToolResult result;
    const int status = waitForChild(pid, options.timeoutSeconds, result.timedOut);
    result.exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.out = slurp(outPath);
    result.err = slurp(errPath);
    return result;
}

std::string realDataDir() {
    const char* fromEnvironment = std::getenv("D88CUT_REALDATA");
    for (const char* dir : {fromEnvironment, D88CUT_REALDATA_DIR}) {
        std::error_code error;
        if (dir != nullptr && *dir != '\0' && std::filesystem::is_directory(dir, error)) {
            return dir;
        }
    }
    return "";
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
