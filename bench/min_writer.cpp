// The floor for writing d88cut's output: creates the named files in order,
// each with one write of its size, and does nothing else but what any tool
// that writes its outputs in place over older files, and must never write
// over the image it reads, has to do: one fstat of each file it opens, which
// tells whether it is the image (then it is left alone) and how long it was
// (a longer file is cut short after the write; no other is).
//
//   bench_min_writer IMAGE NAME:SIZE ...
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

unsigned char zeros[409600];

}  // namespace

int main(int argc, char** argv) {
    struct stat image;
    if (argc < 2 || stat(argv[1], &image) != 0) {
        std::fprintf(stderr, "bench_min_writer: usage: bench_min_writer IMAGE NAME:SIZE ...\n");
        return 2;
    }
    for (int i = 2; i < argc; ++i) {
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
        const int fd = open(name.c_str(), O_WRONLY | O_CREAT, 0666);
        struct stat old;
        bool done = fd >= 0 && fstat(fd, &old) == 0 &&
                    !(old.st_dev == image.st_dev && old.st_ino == image.st_ino) &&
                    write(fd, zeros, size) == static_cast<ssize_t>(size);
        if (done && old.st_size > static_cast<off_t>(size)) {
            done = ftruncate(fd, static_cast<off_t>(size)) == 0;
        }
        if (fd < 0 || close(fd) != 0 || !done) {
            std::fprintf(stderr, "bench_min_writer: cannot write %s\n", name.c_str());
            return 1;
        }
    }
    return 0;
}
