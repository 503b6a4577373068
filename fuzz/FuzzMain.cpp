// Runs a fuzz target once on each image named on the command line, or on
// each file of a directory named there, where libFuzzer is not linked: the
// tests run every target over the seed images this way. Fails when nothing
// was run or a file cannot be read; a broken promise aborts inside the target.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "FuzzScratch.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

namespace fs = std::filesystem;

bool runOn(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    const std::vector<char> bytes((std::istreambuf_iterator<char>(in)),
                                  std::istreambuf_iterator<char>());
    if (!in.good() && !in.eof()) {
        return false;
    }
    std::vector<std::uint8_t> data(bytes.begin(), bytes.end());
    LLVMFuzzerTestOneInput(data.data(), data.size());
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<fs::path> files;
    for (int i = 1; i < argc; ++i) {
        std::error_code error;
        // Absolute, as some targets change the current directory.
        const fs::path named = fs::absolute(argv[i], error);
        if (fs::is_directory(named, error)) {
            std::vector<fs::path> inside;
            for (const fs::directory_entry& entry : fs::directory_iterator(named, error)) {
                inside.push_back(entry.path());
            }
            std::sort(inside.begin(), inside.end());
            files.insert(files.end(), inside.begin(), inside.end());
        } else {
            files.push_back(named);
        }
    }
    int ran = 0;
    for (const fs::path& file : files) {
        if (!fs::is_regular_file(file) || !runOn(file)) {
            std::fprintf(stderr, "cannot read %s\n", file.string().c_str());
            d88fuzz::removeScratchDir();
            return 1;
        }
        ++ran;
    }
    d88fuzz::removeScratchDir();
    std::fprintf(stderr, "ran %d images\n", ran);
    return ran > 0 ? 0 : 1;
}
