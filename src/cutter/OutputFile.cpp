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
    // Not emptied yet: only once it is known not to be the image.
    const HANDLE file =
        CreateFileW(wide, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    handle = reinterpret_cast<std::intptr_t>(file);
    d88::FileFacts facts;
    if (!d88::describeFile(handle, facts) || (facts.regular && facts.identity == image) ||
        (facts.regular && !SetEndOfFile(file))) {
        close();
        return false;
    }
    return true;
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
    // Not truncated yet: the file is emptied only once it is known not to be
    // the image. O_NONBLOCK makes a FIFO without a reader fail at once.
    const int fd = ::open(fileName, O_WRONLY | O_CREAT | O_NONBLOCK | O_CLOEXEC, 0666);
    if (fd < 0) {
        return false;
    }
    handle = fd;
    d88::FileFacts facts;
    const bool usable = d88::describeFile(handle, facts) && !(facts.identity == image) &&
                        (!facts.regular || ftruncate(fd, 0) == 0);
    // Writes wait as usual once the file is open.
    const int flags = fcntl(fd, F_GETFL);
    if (!usable || flags < 0 || fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0) {
        close();
        return false;
    }
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

#endif

}  // namespace d88cut
