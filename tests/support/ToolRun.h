// Running a built program as a user would, in a scratch directory, and reading
// back what it printed and wrote.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace d88test {

struct ToolResult {
    int exitStatus = -1;    // -1 when the program did not exit normally
    bool timedOut = false;  // it ran too long and was killed
    std::string out;        // standard output, as bytes
    std::string err;        // standard error, as bytes
};

// Where the program's standard output goes.
enum class OutputTo {
    File,        // a file of its own, read back into ToolResult::out
    ClosedPipe,  // a pipe whose reader has gone away
    Full,        // a device that refuses every byte (/dev/full)
    ErrorFile,   // the same file as standard error, as with "> log 2>&1"
};

struct RunOptions {
    std::string argv0 = "";  // empty: the program's path
    OutputTo stdoutTo = OutputTo::File;
    int timeoutSeconds = 20;
};

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

// Runs `program` with `args` (argv[1] onward) in `workDir` and collects its
// output; a run that outlasts the timeout is killed.
ToolResult runTool(const std::string& program, const std::vector<std::string>& args,
                   const std::string& workDir, const RunOptions& options = {});

// The folder of the real images made by other tools: $D88CUT_REALDATA, else
// the shared folder beside the source tree; empty when neither exists.
std::string realDataDir();

// Writes a sparse file of `size` bytes holding `pieces` (offset, bytes) and
// zeros, which take no room on disk, everywhere else.
void writeSparseFile(const std::string& path, std::int64_t size,
                     const std::vector<std::pair<std::int64_t, std::vector<std::uint8_t>>>& pieces);

// The Shift_JIS (code page 932) bytes of a UTF-8 text.
std::string cp932(const std::string& utf8);

}  // namespace d88test
