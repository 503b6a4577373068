// The image file as the reader sees it: opened read-only without ever waiting,
// only when it is a regular file, with its size and identity taken once, and
// read at 64-bit offsets. The one place where the tools touch the system's
// file access for reading.
#pragma once

#include <cstddef>
#include <cstdint>

namespace d88 {

// Which file a name leads to: equal identities are the same file, whatever
// names or links reach it.
struct FileIdentity {
    std::uint64_t volume = 0;
    std::uint64_t index = 0;

    bool operator==(const FileIdentity& other) const {
        return volume == other.volume && index == other.index;
    }
};

// Why an image file could not be opened.
enum class OpenError {
    None,
    Missing,     // no file of that name
    Denied,      // the file may not be read
    NotRegular,  // a directory, pipe, device or socket: no image file
    Failed,      // any other failure of the system
};

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
    void close();
    bool isOpen() const { return handle != kNoHandle; }

    // Bytes the file held when it was opened.
    std::int64_t size() const { return fileSize; }
    const FileIdentity& identity() const { return fileIdentity; }

    // Reads up to `count` bytes at `offset` into `dest`; returns how many were
    // read, fewer only where the file ends or a read fails.
    std::size_t readAt(std::int64_t offset, std::uint8_t* dest, std::size_t count);

  private:
    static constexpr std::intptr_t kNoHandle = -1;

    std::intptr_t handle = kNoHandle;  // a file descriptor, or a Windows HANDLE
    std::int64_t fileSize = 0;
    FileIdentity fileIdentity;
};

// What the system tells of an open file.
struct FileFacts {
    FileIdentity identity;
    bool regular = false;  // a plain file on a disk: no directory, pipe, device or socket
    std::int64_t size = 0;
};

// The facts of the open file `handle` (a file descriptor, or a Windows
// HANDLE); false when the system cannot tell them.
bool describeFile(std::intptr_t handle, FileFacts& facts);

#ifdef _WIN32
// `path` as a UTF-16 path for the wide Windows calls: read as UTF-8, or in
// the ANSI code page when it is no UTF-8. False when it does not fit.
bool toWidePath(const char* path, wchar_t* wide, int capacity);
// Room for the longest path Windows takes, and its terminating zero.
inline constexpr int kWidePathCapacity = 32768;
#endif

}  // namespace d88
