// A window of the image file kept in memory, so that walking a track's many
// small records costs one read of the file per window, not one per record.
#pragma once

#include <cstddef>
#include <cstdint>

#include "ImageFile.h"

namespace d88 {

class FileWindow {
  public:
    // Room for a whole track of the largest common formats.
    static constexpr std::size_t kSize = 32 * 1024;

    explicit FileWindow(ImageFile& file) : file(file) {}
    FileWindow(const FileWindow&) = delete;
    FileWindow& operator=(const FileWindow&) = delete;

    // Forgets what the window holds; the next use reads the file again.
    void clear() { length = 0; }

    // The `count` bytes (at most kSize) at `offset`, read into the window
    // when it does not hold them; null when the file does not hold them all.
    const std::uint8_t* bytesAt(std::int64_t offset, std::size_t count);

    // Copies up to `count` bytes at `offset` into `dest`, from the window
    // where it holds them; returns how many there were (fewer only where the
    // file ends or a read fails).
    std::size_t copyAt(std::int64_t offset, std::uint8_t* dest, std::size_t count);

    std::int64_t fileSize() const { return file.size(); }

  private:
    bool holds(std::int64_t offset, std::size_t count) const;
    void fillAt(std::int64_t offset);

    ImageFile& file;
    std::uint8_t bytes[kSize] = {};
    std::int64_t start = 0;
    std::size_t length = 0;  // 0 when the window holds nothing
};

}  // namespace d88
