#include "FileWindow.h"

#include <cstring>

namespace d88 {

bool FileWindow::holds(std::int64_t offset, std::size_t count) const {
    return length > 0 && offset >= start &&
           offset - start + static_cast<std::int64_t>(count) <= static_cast<std::int64_t>(length);
}

void FileWindow::fillAt(std::int64_t offset) {
    start = offset;
    length = file.readAt(offset, bytes, kSize);
}

const std::uint8_t* FileWindow::bytesAt(std::int64_t offset, std::size_t count) {
    if (offset < 0 || count > kSize || offset > file.size() - static_cast<std::int64_t>(count)) {
        return nullptr;
    }
    if (!holds(offset, count)) {
        fillAt(offset);
        if (!holds(offset, count)) {
            return nullptr;
        }
    }
    return bytes + (offset - start);
}

std::size_t FileWindow::copyAt(std::int64_t offset, std::uint8_t* dest, std::size_t count) {
    if (offset < 0 || offset >= file.size()) {
        return 0;
    }
    const std::int64_t inFile = file.size() - offset;
    if (static_cast<std::int64_t>(count) > inFile) {
        count = static_cast<std::size_t>(inFile);
    }
    if (count <= kSize && !holds(offset, count)) {
        fillAt(offset);
    }
    if (!holds(offset, count)) {
        // Larger than the window: straight from the file.
        return file.readAt(offset, dest, count);
    }
    std::memcpy(dest, bytes + (offset - start), count);
    return count;
}

}  // namespace d88
