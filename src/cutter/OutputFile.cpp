#include "OutputFile.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#endif

namespace d88cut {

OutputFile::~OutputFile() {
    close();
}

#ifdef _WIN32

namespace {

HANDLE asHandle(std::intptr_t handle) {
    return reinterpret_cast<HANDLE>(handle);
}

}  // namespace

bool OutputFile::create(const char* fileName, const d88::FileIdentity& image) {
    close();
    wchar_t wide[d88::kWidePathCapacity];
    if (!d88::toWidePath(fileName, wide, d88::kWidePathCapacity)) {
        return false;
    }
    // Its old content stays until it is known not to be the image.
    const HANDLE file =
        CreateFileW(wide, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    handle = reinterpret_cast<std::intptr_t>(file);
    d88::FileFacts facts;
    if (!d88::describeFile(handle, facts) || (facts.regular && facts.identity == image)) {
        close();
        return false;
    }
    previousSize = facts.regular ? facts.size : 0;
    return true;
}

bool OutputFile::cutTo(std::size_t length) {
    LARGE_INTEGER end;
    end.QuadPart = static_cast<LONGLONG>(length);
    return SetFilePointerEx(asHandle(handle), end, nullptr, FILE_BEGIN) &&
           SetEndOfFile(asHandle(handle));
}

bool OutputFile::writeAndClose(const std::uint8_t* data, std::size_t length) {
    bool written = handle != kNoHandle;
    std::size_t done = 0;
    while (written && done < length) {
        const std::size_t rest = length - done;
        const DWORD asked = rest > 0x40000000 ? 0x40000000 : static_cast<DWORD>(rest);
        DWORD put = 0;
        written = WriteFile(asHandle(handle), data + done, asked, &put, nullptr) && put > 0;
        done += put;
    }
    // A longer file of that name keeps none of its old bytes past the new ones.
    written = written && (previousSize <= static_cast<std::int64_t>(length) || cutTo(length));
    const bool closed = close();
    return written && closed;
}

bool OutputFile::close() {
    if (handle == kNoHandle) {
        return true;
    }
    const bool closed = CloseHandle(asHandle(handle)) != 0;
    handle = kNoHandle;
    return closed;
}

#else

bool OutputFile::create(const char* fileName, const d88::FileIdentity& image) {
    close();
    // Its old content stays until it is known not to be the image.
    // O_NONBLOCK makes a FIFO without a reader fail at once.
    const int fd = ::open(fileName, O_WRONLY | O_CREAT | O_NONBLOCK | O_CLOEXEC, 0666);
    if (fd < 0) {
        return false;
    }
    handle = fd;
    d88::FileFacts facts;
    if (!d88::describeFile(handle, facts) || facts.identity == image) {
        close();
        return false;
    }
    previousSize = facts.regular ? facts.size : 0;
    if (!facts.regular) {
        // Writes to a FIFO or device wait as usual once it is open.
        const int flags = fcntl(fd, F_GETFL);
        if (flags < 0 || fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0) {
            close();
            return false;
        }
    }
    return true;
}

bool OutputFile::cutTo(std::size_t length) {
    return ftruncate(static_cast<int>(handle), static_cast<off_t>(length)) == 0;
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
    // A longer file of that name keeps none of its old bytes past the new ones.
    written = written && (previousSize <= static_cast<std::int64_t>(length) || cutTo(length));
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

#endif

}  // namespace d88cut
