// The floor for writing d88cut's output: creates the named files in order,
// each with one write of its size, and does nothing else.
//
//   bench_min_writer NAME:SIZE ...
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

unsigned char zeros[409600];

}  // namespace

int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        const char* colon = std::strrchr(argv[i], ':');
        if (colon == nullptr) {
            std::fprintf(stderr, "bench_min_writer: expected NAME:SIZE, got %s\n", argv[i]);
            return 2;
        }
        const std::string name(static_cast<const char*>(argv[i]), colon);
        const std::size_t size = std::strtoul(colon + 1, nullptr, 10);
        if (size > sizeof zeros) {
            std::fprintf(stderr, "bench_min_writer: %s is too large\n", argv[i]);
            return 2;
        }
        std::FILE* file = std::fopen(name.c_str(), "wb");
        if (file == nullptr || std::fwrite(zeros, 1, size, file) != size || std::fclose(file) != 0) {
            std::fprintf(stderr, "bench_min_writer: cannot write %s\n", name.c_str());
            return 1;
        }
    }
    return 0;
}
