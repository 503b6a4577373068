#include "ImageFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <limits>

namespace d88 {

namespace {

OpenError openErrorOf(int error) {
    switch (error) {
        case ENOENT:
        case ENOTDIR:
            return OpenError::Missing;
        case EACCES:
        case EPERM:
            return OpenError::Denied;
        default:
            return OpenError::Failed;
    }
}

}  // namespace

OpenError ImageFile::open(const char* path) {
    close();
    // O_NONBLOCK keeps the open of a FIFO without a writer from waiting; a
    // regular file reads the same with it.
    const int fd = ::open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return openErrorOf(errno);
    }
    struct stat info;
    if (fstat(fd, &info) != 0) {
        ::close(fd);
        return OpenError::Failed;
    }
    if (!S_ISREG(info.st_mode)) {
        ::close(fd);
        return OpenError::NotRegular;
    }
    handle = fd;
    fileSize = static_cast<std::int64_t>(info.st_size);
    fileIdentity = {static_cast<std::uint64_t>(info.st_dev),
                    static_cast<std::uint64_t>(info.st_ino)};
    return OpenError::None;
}

void ImageFile::close() {
    if (isOpen()) {
        ::close(static_cast<int>(handle));
        handle = kNoHandle;
    }
    fileSize = 0;
    fileIdentity = {};
}

std::size_t ImageFile::readAt(std::int64_t offset, std::uint8_t* dest, std::size_t count) {
    if (!isOpen() || offset < 0) {
        return 0;
    }
    std::size_t done = 0;
    while (done < count) {
        const std::int64_t at = offset + static_cast<std::int64_t>(done);
        if (at > std::numeric_limits<off_t>::max()) {
            break;
        }
        const ssize_t got =
            pread(static_cast<int>(handle), dest + done, count - done, static_cast<off_t>(at));
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            break;
        }
        done += static_cast<std::size_t>(got);
    }
    return done;
}

}  // namespace d88
