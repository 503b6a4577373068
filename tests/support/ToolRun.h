// Running a built program as a user would, in a scratch directory, and reading
// back what it printed and wrote.
#pragma once

#include <string>
#include <vector>

namespace d88test {

struct ToolResult {
    int exitStatus = -1;  // -1 when the program did not exit normally
    std::string out;      // standard output, as bytes
    std::string err;      // standard error, as bytes
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

// Runs `program` with `args` (argv[1] onward) in `workDir`, with argv[0] set to
// `argv0` (the program path when empty), and collects its output.
ToolResult runTool(const std::string& program, const std::vector<std::string>& args,
                   const std::string& workDir, const std::string& argv0 = "");

// The Shift_JIS (code page 932) bytes of a UTF-8 text.
std::string cp932(const std::string& utf8);

}  // namespace d88test
