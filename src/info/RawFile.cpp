#include "RawFile.h"

#include <sys/stat.h>

#include <cstring>

namespace d88info {

RawFile::~RawFile() {
    if (file_ != nullptr) {
        std::fclose(file_);
    }
}

bool RawFile::open(const char* path) {
    if (file_ != nullptr) {
        std::fclose(file_);
        file_ = nullptr;
    }
    size_ = 0;
    windowLength_ = 0;
    file_ = std::fopen(path, "rb");
    if (file_ == nullptr) {
        return false;
    }
    // A directory opens for reading on some systems; only a regular file has
    // a size to trust.
    struct stat info;
    if (fstat(fileno(file_), &info) != 0 || !S_ISREG(info.st_mode)) {
        std::fclose(file_);
        file_ = nullptr;
        return false;
    }
    size_ = static_cast<std::int64_t>(info.st_size);
    return true;
}

std::int64_t RawFile::available(std::int64_t offset, std::int64_t count) const {
    if (offset < 0 || count <= 0 || offset >= size_) {
        return 0;
    }
    return count < size_ - offset ? count : size_ - offset;
}

bool RawFile::fillWindow(std::int64_t offset) {
    window_.resize(kWindowSize);
    windowLength_ = 0;
    const auto length = static_cast<std::size_t>(available(offset, kWindowSize));
    if (std::fseek(file_, static_cast<long>(offset), SEEK_SET) != 0 ||
        std::fread(window_.data(), 1, length, file_) != length) {
        return false;
    }
    windowStart_ = offset;
    windowLength_ = static_cast<std::int64_t>(length);
    return true;
}

bool RawFile::readAt(std::int64_t offset, std::uint8_t* dest, std::size_t count) {
    const auto wanted = static_cast<std::int64_t>(count);
    if (file_ == nullptr || available(offset, wanted) != wanted) {
        return count == 0;
    }
    if (count > kWindowSize) {
        return std::fseek(file_, static_cast<long>(offset), SEEK_SET) == 0 &&
               std::fread(dest, 1, count, file_) == count;
    }
    const bool inWindow = offset >= windowStart_ && offset + wanted <= windowStart_ + windowLength_;
    if (!inWindow && !fillWindow(offset)) {
        return false;
    }
    std::memcpy(dest, window_.data() + (offset - windowStart_), count);
    return true;
}

}  // namespace d88info
