#include "FuzzScratch.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace d88fuzz {

namespace {

const std::string& scratchDir() {
    static const std::string path = [] {
        std::string pattern = "/tmp/d88fuzz.XXXXXX";
        std::vector<char> buffer(pattern.begin(), pattern.end());
        buffer.push_back('\0');
        if (mkdtemp(buffer.data()) == nullptr) {
            std::abort();
        }
        return std::string(buffer.data());
    }();
    return path;
}

}  // namespace

const std::string& scratchImagePath() {
    static const std::string path = scratchDir() + "/image.d88";
    return path;
}

void enterScratchDir() {
    static const bool entered = chdir(scratchDir().c_str()) == 0;
    if (!entered) {
        std::abort();
    }
}

bool writeImage(const std::uint8_t* data, std::size_t size) {
    std::FILE* file = std::fopen(scratchImagePath().c_str(), "wb");
    if (file == nullptr) {
        return false;
    }
    const bool written = size == 0 || std::fwrite(data, 1, size, file) == size;
    return std::fclose(file) == 0 && written;
}

}  // namespace d88fuzz
