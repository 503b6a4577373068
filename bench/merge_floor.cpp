// The floor d88merge is measured against: reads each image named whole, each
// with one fstat and as few reads as the system needs into one buffer, then
// writes as many bytes as the first holds to OUT, with nothing else done.
//   bench_merge_floor OUT IMAGE...
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <vector>

namespace {

bool readWhole(const char* path, std::vector<char>& bytes) {
    const int fd = ::open(path, O_RDONLY);
    struct stat facts;
    if (fd < 0 || ::fstat(fd, &facts) != 0) {
        return false;
    }
    bytes.resize(static_cast<std::size_t>(facts.st_size));
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t got = ::read(fd, bytes.data() + done, bytes.size() - done);
        if (got <= 0) {
            break;
        }
        done += static_cast<std::size_t>(got);
    }
    return ::close(fd) == 0 && done == bytes.size();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fputs("usage: bench_merge_floor OUT IMAGE...\n", stderr);
        return 1;
    }
    std::vector<std::vector<char>> images(static_cast<std::size_t>(argc - 2));
    for (int i = 2; i < argc; ++i) {
        if (!readWhole(argv[i], images[static_cast<std::size_t>(i - 2)])) {
            std::perror(argv[i]);
            return 1;
        }
    }
    const std::vector<char>& first = images[0];
    const int fd = ::open(argv[1], O_WRONLY | O_CREAT | O_TRUNC, 0666);
    if (fd < 0 || ::write(fd, first.data(), first.size()) != static_cast<ssize_t>(first.size()) ||
        ::close(fd) != 0) {
        std::perror(argv[1]);
        return 1;
    }
    return 0;
}
