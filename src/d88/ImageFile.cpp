#include "ImageFile.h"

#include <cstring>

namespace d88 {

OpenError ImageFile::open(const char* path) {
    close();
    os::Handle opened = os::kNoHandle;
    const OpenError error = os::openForReading(path, opened);
    if (error != OpenError::None) {
        return error;
    }
    FileFacts opening;
    if (!os::describe(opened, opening) || !opening.regular) {
        os::close(opened);
        return OpenError::NotRegular;
    }
    handle = opened;
    facts = opening;
    return OpenError::None;
}

void ImageFile::openBytes(const std::uint8_t* bytes, std::int64_t size) {
    close();
    if (bytes == nullptr || size < 0) {
        return;
    }
    memory = bytes;
    facts.regular = true;
    facts.size = size;
}

void ImageFile::close() {
    if (handle != os::kNoHandle) {
        os::close(handle);
        handle = os::kNoHandle;
    }
    memory = nullptr;
    facts = {};
}

std::size_t ImageFile::readAt(std::int64_t offset, std::uint8_t* dest, std::size_t count) {
    if (!isOpen() || offset < 0) {
        return 0;
    }
    if (memory != nullptr) {
        if (offset >= facts.size) {
            return 0;
        }
        const std::int64_t held = facts.size - offset;
        const std::size_t copied =
            static_cast<std::int64_t>(count) < held ? count : static_cast<std::size_t>(held);
        std::memcpy(dest, memory + offset, copied);
        return copied;
    }
    std::size_t done = 0;
    while (done < count) {
        const std::int64_t got =
            os::readAt(handle, offset + static_cast<std::int64_t>(done), dest + done, count - done);
        if (got <= 0) {
            break;
        }
        done += static_cast<std::size_t>(got);
    }
    return done;
}

}  // namespace d88
