// The floor for writing d88cut's output: creates the named files in order,
// each with one write of its size, and does nothing else.
//
//   bench_min_writer NAME:SIZE ...
#include <fcntl.h>
#include <unistd.h>

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
        const int fd = open(name.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666);
        const bool written = fd >= 0 && write(fd, zeros, size) == static_cast<ssize_t>(size);
        if (fd < 0 || close(fd) != 0 || !written) {
            std::fprintf(stderr, "bench_min_writer: cannot write %s\n", name.c_str());
            return 1;
        }
    }
    return 0;
}
