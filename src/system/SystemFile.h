// The system's own calls on files, the same on POSIX systems and on Windows:
// the one place the tools' file access is ported, by SystemFilePosix.cpp and
// SystemFileWindows.cpp, of which CMake builds the one for the system.
// Nothing here prints, throws or allocates; offsets are 64 bits wide everywhere.
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

// Why a file could not be opened for reading.
enum class OpenError {
    None,
    Missing,     // no file of that name
    Denied,      // the file may not be read
    NotRegular,  // a directory, pipe, device or socket: no image file
    Failed,      // any other failure of the system
};

// What the system tells of an open file.
struct FileFacts {
    FileIdentity identity;
    bool regular = false;  // a plain file on a disk: no directory, pipe, device or socket
    std::int64_t size = 0;
};

namespace os {

// An open file: a file descriptor, or a Windows HANDLE.
using Handle = std::intptr_t;
inline constexpr Handle kNoHandle = -1;

// Opens an existing file for reading, UTF-8 `path` on Windows, without waiting
// for a FIFO's writer.
OpenError openForReading(const char* path, Handle& handle);
// Opens `path` for writing, creating it when it is not there, changing none
// of its content, and without waiting for a FIFO's reader; false when it
// cannot be opened so.
bool openForWriting(const char* path, Handle& handle);
// Creates `path` for writing, only when no file of that name is there yet:
// a temporary file that cannot be anyone else's.
bool createNew(const char* path, Handle& handle);
// Renames `from` to `to`, replacing a file `to` when `replace` is set, else
// false when a file of that name is there.
bool renameFile(const char* from, const char* to, bool replace);
// Removes the file `path`; false when it cannot be removed.
bool removeFile(const char* path);
// Whether a file or folder of that name is there.
bool exists(const char* path);
// Lets writes to a FIFO or device opened for writing wait as usual.
bool waitOnWrites(Handle handle);

bool describe(Handle handle, FileFacts& facts);
// Reads up to `count` bytes at `offset`: how many, 0 at the end of the file,
// -1 on failure.
std::int64_t readAt(Handle handle, std::int64_t offset, std::uint8_t* dest, std::size_t count);
// Writes up to `count` bytes at the file position: how many, -1 on failure.
std::int64_t write(Handle handle, const std::uint8_t* data, std::size_t count);
bool truncate(Handle handle, std::int64_t length);
bool close(Handle handle);

// Whether `path` names a regular file that opens for reading (what Explorer
// passes for a file dropped), without waiting for a FIFO's writer.
inline bool namesRegularFile(const char* path) {
    Handle handle = kNoHandle;
    if (openForReading(path, handle) != OpenError::None) {
        return false;
    }
    FileFacts facts;
    const bool regular = describe(handle, facts) && facts.regular;
    close(handle);
    return regular;
}

}  // namespace os

}  // namespace d88
