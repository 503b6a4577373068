// The image file as the reader sees it: opened read-only without ever waiting,
// only when it is a regular file, with its size and identity taken once, and
// read at 64-bit offsets.
#pragma once

#include <cstddef>
#include <cstdint>

#include "system/SystemFile.h"

namespace d88 {

class ImageFile {
  public:
    ImageFile() = default;
    ~ImageFile() { close(); }
    ImageFile(const ImageFile&) = delete;
    ImageFile& operator=(const ImageFile&) = delete;

    // Opens `path` (UTF-8 on Windows) for reading; a FIFO, device or socket
    // is refused before anything could wait on it. Closes the file open
    // before, if any.
    OpenError open(const char* path);
    // Reads `size` bytes held in memory at `bytes` as the file, which must stay
    // there while they are read; they have no identity of a file on a disk.
    // Closes the file open before, if any.
    void openBytes(const std::uint8_t* bytes, std::int64_t size);
    void close();
    bool isOpen() const { return handle != os::kNoHandle || memory != nullptr; }

    // Bytes the file held when it was opened.
    std::int64_t size() const { return facts.size; }
    const FileIdentity& identity() const { return facts.identity; }

    // Reads up to `count` bytes at `offset` into `dest`; returns how many were
    // read, fewer only where the file ends or a read fails.
    std::size_t readAt(std::int64_t offset, std::uint8_t* dest, std::size_t count);

  private:
    os::Handle handle = os::kNoHandle;
    const std::uint8_t* memory = nullptr;  // the bytes read, for bytes in memory
    FileFacts facts;
};

}  // namespace d88
