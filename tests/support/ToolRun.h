// Running a built program as a user would, in a scratch directory, and reading
// back what it printed and wrote; the same on POSIX systems and on Windows.
// Paths and texts are UTF-8 strings everywhere.
#pragma once

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace d88test {

struct ToolResult {
    int exitStatus = -1;    // -1 when the program did not exit normally
    bool timedOut = false;  // it ran too long and was killed
    std::string out;        // standard output, as bytes (Windows line ends made "\n")
    std::string err;        // standard error, likewise
};

// Where the program's standard output goes.
enum class OutputTo {
    File,        // a file of its own, read back into ToolResult::out
    ClosedPipe,  // a pipe whose reader has gone away
    Full,        // a device that refuses every byte (/dev/full; POSIX only)
    ErrorFile,   // the same file as standard error, as with "> log 2>&1"
    Terminal,    // a terminal, read back into ToolResult::out (POSIX only)
};

// Whether this system has what `to` needs.
bool canRedirectTo(OutputTo to);

struct RunOptions {
    std::string argv0 = "";  // empty: the program's path
    OutputTo stdoutTo = OutputTo::File;
    int timeoutSeconds = 20;
    // "NAME=value" set for the program. On POSIX systems LC_ALL, LC_MESSAGES
    // and LANG are unset for it unless set here: its default language is
    // English, whatever the developer's locale. Not on Windows, where the
    // language is the system's.
    std::vector<std::string> environment = {};
    // Bytes the program may write into any file at the most, with SIGXFSZ
    // ignored, so that a write past them fails instead (POSIX only); -1: none.
    std::int64_t fileSizeLimit = -1;
};

// Runs `program` with `args` (argv[1] onward) in `workDir` and collects its
// output; a run that outlasts the timeout is killed.
ToolResult runTool(const std::string& program, const std::vector<std::string>& args,
                   const std::string& workDir, const RunOptions& options = {});

// A UTF-8 path as the file system takes it.
std::filesystem::path pathOf(const std::string& utf8);

// A fresh empty directory, removed with everything in it on destruction.
class ScratchDir {
  public:
    ScratchDir();
    ~ScratchDir();
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    const std::string& path() const { return path_; }
    std::string file(const std::string& name) const { return path_ + "/" + name; }
    bool exists(const std::string& name) const;
    // Names of the entries in the directory, sorted.
    std::vector<std::string> entries() const;

  private:
    std::string path_;
};

// Makes a FIFO at `path`; false where the system has none (Windows).
bool makeFifo(const std::string& path);

// A terminal of this process's own, open for writing; null where the system
// has none to open so (Windows). Left open to the end of the test program.
std::FILE* openTerminal();
// Sets LC_ALL in this process's environment.
void setLcAll(const char* value);

// A console screen of this process's own to write on and read back (Windows):
// a screen buffer of the console the process runs on, open as a stream. Only
// a test program rerun by rerunOnOwnConsole() has a console; elsewhere, and
// on POSIX systems, stream() is null.
class ConsoleScreen {
  public:
    ConsoleScreen();
    ~ConsoleScreen();
    ConsoleScreen(const ConsoleScreen&) = delete;
    ConsoleScreen& operator=(const ConsoleScreen&) = delete;

    std::FILE* stream() const { return stream_; }
    // The characters the screen shows on line `row`, as UTF-8, without the
    // blanks that fill the line after them.
    std::string line(int row) const;

  private:
    std::FILE* stream_ = nullptr;
};

// Runs the test `testName` of this test program again, alone, on a console
// of its own that has no window (Windows only: throws elsewhere), and returns
// what that run handed back by reportFromOwnConsole(); "" when it gave nothing.
std::string rerunOnOwnConsole(const std::string& testName);
// Whether this run of the test program is such a rerun.
bool onOwnConsole();
// Hands `text` back to the run that started this one.
void reportFromOwnConsole(const std::string& text);

// A reader of a FIFO that opens it at once, with room in it for one page
// only, and reads it to its end on a thread of its own only after a delay.
struct SlowFifoReader {
    std::thread thread;
    std::size_t bytes = 0;
};
// Starts `reader` on the FIFO at `path`; false where it cannot be opened.
bool startSlowFifoReader(const std::string& path, int delayMilliseconds, SlowFifoReader& reader);

// The folder of the real images made by other tools: $D88CUT_REALDATA, else
// the shared folder beside the source tree; empty when neither exists.
std::string realDataDir();

// Writes a sparse file of `size` bytes holding `pieces` (offset, bytes) and
// zeros, which take no room on disk, everywhere else.
void writeSparseFile(const std::string& path, std::int64_t size,
                     const std::vector<std::pair<std::int64_t, std::vector<std::uint8_t>>>& pieces);

// A sparse image of 4,563,398,928 bytes: disk 0 (a bare header of 2^31 - 4096
// bytes), then disk 1 at 0x7FFFF000, whose track 0 lies 0x90000000 bytes on,
// past 4 GiB, and holds one sector R1 N1 of farSectorBytes().
inline constexpr std::int64_t kFarDiskStart = 0x7FFFF000;
inline constexpr std::int64_t kFarTrackStart = kFarDiskStart + 0x90000000LL;
void writeFarImage(const std::string& path);
std::vector<std::uint8_t> farSectorBytes();

// A device, which no image can be: /dev/zero, or NUL on Windows.
extern const char* const kDeviceName;

// The Shift_JIS (code page 932) bytes of a UTF-8 text.
std::string cp932(const std::string& utf8);

// The warnings d88cut prints on standard error, as Shift_JIS bytes: each file
// of `names` not cut, as its first sector cannot be read; a file cut from
// records that are not plainly normal; the image holding no disk of the set.
std::string notCut(const std::vector<std::string>& names);
std::string fromMarkedRecords(const std::string& name);
std::string noDiskOfTheSet();
// notCut() of every file the disk kind of that name cuts (with -op, if
// `opFlag`): a disk none of whose runs is on the image.
std::string noneCut(const std::string& kindName, bool opFlag = false);

// Text a program wrote in text mode, with Windows line ends made "\n"; a bare
// "\n" there is marked, so that a comparison with the expected text fails.
std::string fromTextMode(std::string text);

}  // namespace d88test
