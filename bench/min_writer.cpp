// The floor for writing d88cut's output: creates the named files in order,
// each with one write of its size, and does nothing else. It starts in an
// empty directory, so it knows what each name already holds without asking:
// a name written before is written over in place, and cut short only when it
// was longer, the cheapest way to leave the same files.
//
//   bench_min_writer NAME:SIZE ...
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>

namespace {

unsigned char zeros[409600];

}  // namespace

int main(int argc, char** argv) {
    std::map<std::string, std::size_t> written;
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
        const int fd = open(name.c_str(), O_WRONLY | O_CREAT, 0666);
        bool done = fd >= 0 && write(fd, zeros, size) == static_cast<ssize_t>(size);
        const auto before = written.find(name);
        if (done && before != written.end() && before->second > size) {
            done = ftruncate(fd, static_cast<off_t>(size)) == 0;
        }
        if (fd < 0 || close(fd) != 0 || !done) {
            std::fprintf(stderr, "bench_min_writer: cannot write %s\n", name.c_str());
            return 1;
        }
        written[name] = size;
    }
    return 0;
}
