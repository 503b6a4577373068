#include "FuzzScratch.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <system_error>

namespace d88fuzz {

namespace {

namespace fs = std::filesystem;

bool made = false;

// A directory of this process's own under the system's temporary directory.
const fs::path& scratchDir() {
    static const fs::path path = [] {
        std::error_code error;
        const fs::path base = fs::temp_directory_path(error);
        if (error) {
            std::abort();
        }
        const auto seed = static_cast<unsigned long long>(
                              std::chrono::steady_clock::now().time_since_epoch().count()) ^
                          std::random_device{}();
        // The first free name from a point of its own; one that is taken
        // is left alone.
        for (unsigned long long i = 0; i < 1000; ++i) {
            const fs::path dir = base / ("d88fuzz." + std::to_string((seed + i) % 1000000007ULL));
            if (fs::create_directory(dir, error)) {
                made = true;
                return dir;
            }
            if (error) {
                break;
            }
        }
        std::abort();
    }();
    return path;
}

}  // namespace

const std::string& scratchImagePath() {
    static const std::string path = (scratchDir() / "image.d88").string();
    return path;
}

std::string scratchPath(const char* name) {
    return (scratchDir() / name).string();
}

void enterScratchDir() {
    std::error_code error;
    fs::current_path(scratchDir(), error);
    if (error) {
        std::abort();
    }
}

void removeScratchDir() {
    if (!made) {
        return;
    }
    std::error_code error;
    // Not the current directory, which Windows cannot remove.
    fs::current_path(scratchDir().parent_path(), error);
    fs::remove_all(scratchDir(), error);
}

bool writeImage(const std::uint8_t* data, std::size_t size) {
    std::FILE* file = std::fopen(scratchImagePath().c_str(), "wb");
    if (file == nullptr) {
        return false;
    }
    const bool written = size == 0 || std::fwrite(data, 1, size, file) == size;
    return std::fclose(file) == 0 && written;
}

std::string readBack(std::FILE* file) {
    if (file == nullptr || std::fseek(file, 0, SEEK_SET) != 0) {
        std::abort();
    }
    std::string text;
    char chunk[65536];
    for (std::size_t got; (got = std::fread(chunk, 1, sizeof chunk, file)) > 0;) {
        text.append(chunk, got);
    }
    std::fclose(file);
    return text;
}

}  // namespace d88fuzz
