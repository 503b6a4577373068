#include "ImageFile.h"

#ifdef _WIN32
#include <windows.h>

#include <initializer_list>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <limits>
#endif

namespace d88 {

#ifdef _WIN32

namespace {

HANDLE asHandle(std::intptr_t handle) {
    return reinterpret_cast<HANDLE>(handle);
}

OpenError openErrorOf(DWORD error) {
    switch (error) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
        case ERROR_INVALID_NAME:
            return OpenError::Missing;
        case ERROR_ACCESS_DENIED:
        case ERROR_SHARING_VIOLATION:
            return OpenError::Denied;
        default:
            return OpenError::Failed;
    }
}

}  // namespace

bool toWidePath(const char* path, wchar_t* wide, int capacity) {
    for (UINT codePage : {static_cast<UINT>(CP_UTF8), static_cast<UINT>(CP_ACP)}) {
        const DWORD flags = codePage == CP_UTF8 ? MB_ERR_INVALID_CHARS : 0;
        if (MultiByteToWideChar(codePage, flags, path, -1, wide, capacity) > 0) {
            return true;
        }
    }
    return false;
}

bool describeFile(std::intptr_t handle, FileFacts& facts) {
    facts = {};
    // Pipes, consoles and devices are no disk files and have no identity to compare.
    if (GetFileType(asHandle(handle)) != FILE_TYPE_DISK) {
        return true;
    }
    BY_HANDLE_FILE_INFORMATION info;
    LARGE_INTEGER size;
    if (!GetFileInformationByHandle(asHandle(handle), &info) ||
        !GetFileSizeEx(asHandle(handle), &size)) {
        return false;
    }
    facts.identity.volume = info.dwVolumeSerialNumber;
    facts.identity.index =
        (static_cast<std::uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
    facts.regular = (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
    facts.size = size.QuadPart;
    return true;
}

OpenError ImageFile::open(const char* path) {
    close();
    wchar_t wide[kWidePathCapacity];
    if (!toWidePath(path, wide, kWidePathCapacity)) {
        return OpenError::Missing;
    }
    // Others may read and write the file meanwhile: the cutter's own guard
    // keeps it from writing over the image, by the file's identity.
    const HANDLE file =
        CreateFileW(wide, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        const DWORD attributes = GetFileAttributesW(wide);
        // A directory cannot be opened this way at all.
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
            return OpenError::NotRegular;
        }
        return openErrorOf(error);
    }
    FileFacts facts;
    if (!describeFile(reinterpret_cast<std::intptr_t>(file), facts) || !facts.regular) {
        CloseHandle(file);
        return OpenError::NotRegular;
    }
    handle = reinterpret_cast<std::intptr_t>(file);
    fileSize = facts.size;
    fileIdentity = facts.identity;
    return OpenError::None;
}

void ImageFile::close() {
    if (isOpen()) {
        CloseHandle(asHandle(handle));
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
        OVERLAPPED where = {};
        where.Offset = static_cast<DWORD>(at & 0xFFFFFFFF);
        where.OffsetHigh = static_cast<DWORD>(at >> 32);
        const std::size_t rest = count - done;
        const DWORD asked = rest > 0x40000000 ? 0x40000000 : static_cast<DWORD>(rest);
        DWORD got = 0;
        if (!ReadFile(asHandle(handle), dest + done, asked, &got, &where) || got == 0) {
            break;
        }
        done += got;
    }
    return done;
}

#else

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

bool describeFile(std::intptr_t handle, FileFacts& facts) {
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

OpenError ImageFile::open(const char* path) {
    close();
    // O_NONBLOCK keeps the open of a FIFO without a writer from waiting; a
    // regular file reads the same with it.
    const int fd = ::open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return openErrorOf(errno);
    }
    FileFacts facts;
    if (!describeFile(fd, facts) || !facts.regular) {
        ::close(fd);
        return OpenError::NotRegular;
    }
    handle = fd;
    fileSize = facts.size;
    fileIdentity = facts.identity;
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

#endif

}  // namespace d88
