#include "OutputFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace d88cut {

OutputFile::~OutputFile() {
    close();
}

bool OutputFile::create(const char* fileName, const d88::FileIdentity& image) {
    close();
    // Not truncated yet: the file is emptied only once it is known not to be
    // the image. O_NONBLOCK makes a FIFO without a reader fail at once.
    const int fd = ::open(fileName, O_WRONLY | O_CREAT | O_NONBLOCK | O_CLOEXEC, 0666);
    if (fd < 0) {
        return false;
    }
    struct stat info;
    const bool usable = fstat(fd, &info) == 0 &&
                        !(d88::FileIdentity{static_cast<std::uint64_t>(info.st_dev),
                                            static_cast<std::uint64_t>(info.st_ino)} == image) &&
                        (!S_ISREG(info.st_mode) || ftruncate(fd, 0) == 0);
    // Writes wait as usual once the file is open.
    const int flags = fcntl(fd, F_GETFL);
    if (!usable || flags < 0 || fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0) {
        ::close(fd);
        return false;
    }
    handle = fd;
    return true;
}

bool OutputFile::writeAndClose(const std::uint8_t* data, std::size_t length) {
    bool written = handle != kNoHandle;
    std::size_t done = 0;
    while (written && done < length) {
        const ssize_t put = ::write(static_cast<int>(handle), data + done, length - done);
        if (put < 0 && errno == EINTR) {
            continue;
        }
        written = put > 0;
        done += written ? static_cast<std::size_t>(put) : 0;
    }
    const bool closed = close();
    return written && closed;
}

bool OutputFile::close() {
    if (handle == kNoHandle) {
        return true;
    }
    const bool closed = ::close(static_cast<int>(handle)) == 0;
    handle = kNoHandle;
    return closed;
}

}  // namespace d88cut
