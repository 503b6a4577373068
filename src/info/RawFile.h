// The image file as plain bytes, for reading headers where they stand. Every
// read is checked against the file's size first, so no byte past its end is
// ever used. Reads go through a window of the file kept in memory, so a walk
// over many small records costs a file read per window, not per record.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <vector>

namespace d88info {

class RawFile {
  public:
    RawFile() = default;
    ~RawFile();
    RawFile(const RawFile&) = delete;
    RawFile& operator=(const RawFile&) = delete;

    // Opens `path` for binary reading and takes its size; false when it
    // cannot be opened or is no regular file.
    bool open(const char* path);
    std::int64_t size() const { return size_; }
    // Bytes of `count` from `offset` on that the file holds (0 past its end).
    std::int64_t available(std::int64_t offset, std::int64_t count) const;
    // Reads exactly `count` bytes at `offset`; false when the file does not
    // hold them all or the read fails.
    bool readAt(std::int64_t offset, std::uint8_t* dest, std::size_t count);

  private:
    static constexpr std::size_t kWindowSize = 65536;

    bool fillWindow(std::int64_t offset);

    std::FILE* file_ = nullptr;
    std::int64_t size_ = 0;
    std::vector<std::uint8_t> window_;
    std::int64_t windowStart_ = 0;
    std::int64_t windowLength_ = 0;  // 0 when the window holds nothing
};

}  // namespace d88info
