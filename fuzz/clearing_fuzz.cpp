// Runs the whole cutter on an arbitrary image twice in every argument form:
// once clearing all of the work buffer before each disk, once clearing only
// what the reads of the disk before wrote. Both runs must end with the same
// status, print the same bytes on both streams and leave the same files with
// the same bytes. Corpus and artifact paths given to libFuzzer must be absolute.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <system_error>

#include "FuzzScratch.h"
#include "cutter/Cutter.h"
#include "cutter/RunState.h"

namespace {

namespace fs = std::filesystem;

void require(bool condition) {
    if (!condition) {
        std::abort();
    }
}

std::string contentsOf(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    require(in.is_open());
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

struct Run {
    int status;
    std::string out;
    std::string err;
    std::map<std::string, std::string> files;
};

// Points the descriptor of `stream` at `file` until restore() is called.
class Redirect {
  public:
    Redirect(std::FILE* stream, const std::string& file) : stream(stream) {
        std::fflush(stream);
        target = std::fopen(file.c_str(), "wb");
        saved = dup(fileno(stream));
        require(target != nullptr && saved >= 0 && dup2(fileno(target), fileno(stream)) >= 0);
    }
    void restore() {
        std::fflush(stream);
        require(dup2(saved, fileno(stream)) >= 0 && close(saved) == 0 && std::fclose(target) == 0);
    }

  private:
    std::FILE* stream;
    std::FILE* target = nullptr;
    int saved = -1;
};

// One run of the cutter in a fresh directory `name` of the scratch directory.
Run cut(const char* name, bool clearWhole, const char* option) {
    const fs::path dir = d88fuzz::scratchPath(name);
    std::error_code error;
    fs::current_path(dir.parent_path(), error);
    fs::remove_all(dir, error);
    require(fs::create_directory(dir, error));
    fs::current_path(dir, error);
    require(!error);

    std::string program = "d88cut";
    std::string path = d88fuzz::scratchImagePath();
    std::string third = option != nullptr ? option : "";
    char* argv[] = {program.data(), path.data(), option != nullptr ? third.data() : nullptr,
                    nullptr};
    const std::string outFile = dir.string() + ".out";
    const std::string errFile = dir.string() + ".err";
    Redirect out(stdout, outFile);
    Redirect err(stderr, errFile);
    d88cut::runState.clearWholeWorkBuffer = clearWhole;
    Run run;
    run.status = d88cut::runCutter(option != nullptr ? 3 : 2, argv);
    d88cut::runState.clearWholeWorkBuffer = false;
    err.restore();
    out.restore();
    run.out = contentsOf(outFile);
    run.err = contentsOf(errFile);
    for (const fs::directory_entry& entry : fs::directory_iterator(dir)) {
        run.files[entry.path().filename().string()] = contentsOf(entry.path());
    }
    return run;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (!d88fuzz::writeImage(data, size)) {
        return 0;
    }
    static const char* const kOptions[] = {nullptr, "-op", "1", "2", "3", "4", "5", "6", "7", "8"};
    for (const char* option : kOptions) {
        const Run whole = cut("whole", true, option);
        const Run narrow = cut("narrow", false, option);
        require(whole.status == narrow.status && whole.out == narrow.out &&
                whole.err == narrow.err && whole.files == narrow.files);
    }
    return 0;
}
