// The file calls on POSIX systems: file descriptors, pread and ftruncate.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <limits>

#include "SystemFile.h"

namespace d88::os {

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

OpenError openForReading(const char* path, Handle& handle) {
    // O_NONBLOCK keeps the open of a FIFO without a writer from waiting; a
    // regular file reads the same with it.
    const int fd = ::open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return openErrorOf(errno);
    }
    handle = fd;
    return OpenError::None;
}

bool openForWriting(const char* path, Handle& handle) {
    // O_NONBLOCK makes a FIFO without a reader fail at once.
    const int fd = ::open(path, O_WRONLY | O_CREAT | O_NONBLOCK | O_CLOEXEC, 0666);
    if (fd < 0) {
        return false;
    }
    handle = fd;
    return true;
}

bool createNew(const char* path, Handle& handle) {
    const int fd = ::open(path, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) {
        return false;
    }
    handle = fd;
    return true;
}

bool renameFile(const char* from, const char* to, bool replace) {
    if (replace) {
        return ::rename(from, to) == 0;
    }
    // A link fails where the name is taken, so no file is ever replaced.
    return ::link(from, to) == 0 && ::unlink(from) == 0;
}

bool removeFile(const char* path) {
    return ::unlink(path) == 0;
}

bool exists(const char* path) {
    struct stat facts;
    return ::lstat(path, &facts) == 0;
}

bool waitOnWrites(Handle handle) {
    const int fd = static_cast<int>(handle);
    const int flags = fcntl(fd, F_GETFL);
    return flags >= 0 && fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) == 0;
}

bool describe(Handle handle, FileFacts& facts) {
    struct stat info;
    if (fstat(static_cast<int>(handle), &info) != 0) {
        return false;
    }
    facts.identity = {static_cast<std::uint64_t>(info.st_dev),
                      static_cast<std::uint64_t>(info.st_ino)};
    facts.regular = S_ISREG(info.st_mode);
    facts.size = static_cast<std::int64_t>(info.st_size);
    return true;
}

std::int64_t readAt(Handle handle, std::int64_t offset, std::uint8_t* dest, std::size_t count) {
    if (offset > std::numeric_limits<off_t>::max()) {
        return 0;
    }
    ssize_t got;
    do {
        got = pread(static_cast<int>(handle), dest, count, static_cast<off_t>(offset));
    } while (got < 0 && errno == EINTR);
    return got;
}

std::int64_t write(Handle handle, const std::uint8_t* data, std::size_t count) {
    ssize_t put;
    do {
        put = ::write(static_cast<int>(handle), data, count);
    } while (put < 0 && errno == EINTR);
    return put;
}

bool truncate(Handle handle, std::int64_t length) {
    return ftruncate(static_cast<int>(handle), static_cast<off_t>(length)) == 0;
}

bool close(Handle handle) {
    return ::close(static_cast<int>(handle)) == 0;
}

}  // namespace d88::os
