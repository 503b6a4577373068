// The file calls on Windows: wide paths, HANDLEs, and reads at an offset
// through OVERLAPPED.
#include <windows.h>

#include <initializer_list>

#include "SystemFile.h"

namespace d88::os {

namespace {

// The longest path Windows takes, and its terminating zero.
constexpr int kWidePathCapacity = 32768;
// The most one call moves.
constexpr std::size_t kMostPerCall = 0x40000000;

HANDLE asHandle(Handle handle) {
    return reinterpret_cast<HANDLE>(handle);
}

// `path` as a UTF-16 path: read as UTF-8, or in the ANSI code page when it is
// no UTF-8. False when it does not fit.
bool toWidePath(const char* path, wchar_t* wide) {
    for (UINT codePage : {static_cast<UINT>(CP_UTF8), static_cast<UINT>(CP_ACP)}) {
        const DWORD flags = codePage == CP_UTF8 ? MB_ERR_INVALID_CHARS : 0;
        if (MultiByteToWideChar(codePage, flags, path, -1, wide, kWidePathCapacity) > 0) {
            return true;
        }
    }
    return false;
}

OpenError openErrorOf(DWORD error, const wchar_t* path) {
    // A directory cannot be opened as a file at all.
    const DWORD attributes = GetFileAttributesW(path);
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        return OpenError::NotRegular;
    }
    switch (error) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
        case ERROR_INVALID_NAME:
            return OpenError::Missing;
        case ERROR_ACCESS_DENIED:
        case ERROR_SHARING_VIOLATION:
            return OpenError::Denied;
        default:
            return OpenError::Failed;
    }
}

// Others may read and write the file meanwhile: the cutter's own guard keeps
// it from writing over the image, by the file's identity.
constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

}  // namespace

OpenError openForReading(const char* path, Handle& handle) {
    wchar_t wide[kWidePathCapacity];
    if (!toWidePath(path, wide)) {
        return OpenError::Missing;
    }
    const HANDLE file = CreateFileW(wide, GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return openErrorOf(GetLastError(), wide);
    }
    handle = reinterpret_cast<Handle>(file);
    return OpenError::None;
}

bool openForWriting(const char* path, Handle& handle) {
    wchar_t wide[kWidePathCapacity];
    if (!toWidePath(path, wide)) {
        return false;
    }
    const HANDLE file = CreateFileW(wide, GENERIC_WRITE, kShareAll, nullptr, OPEN_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    handle = reinterpret_cast<Handle>(file);
    return true;
}

bool createNew(const char* path, Handle& handle) {
    wchar_t wide[kWidePathCapacity];
    if (!toWidePath(path, wide)) {
        return false;
    }
    const HANDLE file = CreateFileW(wide, GENERIC_WRITE, kShareAll, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    handle = reinterpret_cast<Handle>(file);
    return true;
}

bool renameFile(const char* from, const char* to, bool replace) {
    wchar_t wideFrom[kWidePathCapacity];
    wchar_t wideTo[kWidePathCapacity];
    if (!toWidePath(from, wideFrom) || !toWidePath(to, wideTo)) {
        return false;
    }
    const DWORD flags = replace ? MOVEFILE_REPLACE_EXISTING : 0;
    return MoveFileExW(wideFrom, wideTo, flags) != 0;
}

bool removeFile(const char* path) {
    wchar_t wide[kWidePathCapacity];
    return toWidePath(path, wide) && DeleteFileW(wide) != 0;
}

bool exists(const char* path) {
    wchar_t wide[kWidePathCapacity];
    return toWidePath(path, wide) && GetFileAttributesW(wide) != INVALID_FILE_ATTRIBUTES;
}

bool waitOnWrites(Handle) {
    return true;
}

bool describe(Handle handle, FileFacts& facts) {
    facts = {};
    // Pipes, consoles and devices are no disk files and have no identity to compare.
    if (GetFileType(asHandle(handle)) != FILE_TYPE_DISK) {
        return true;
    }
    BY_HANDLE_FILE_INFORMATION info;
    LARGE_INTEGER size;
    if (!GetFileInformationByHandle(asHandle(handle), &info) ||
        !GetFileSizeEx(asHandle(handle), &size)) {
        return false;
    }
    facts.identity.volume = info.dwVolumeSerialNumber;
    facts.identity.index =
        (static_cast<std::uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
    facts.regular = (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
    facts.size = size.QuadPart;
    return true;
}

std::int64_t readAt(Handle handle, std::int64_t offset, std::uint8_t* dest, std::size_t count) {
    OVERLAPPED where = {};
    where.Offset = static_cast<DWORD>(offset & 0xFFFFFFFF);
    where.OffsetHigh = static_cast<DWORD>(offset >> 32);
    DWORD got = 0;
    const DWORD asked = static_cast<DWORD>(count < kMostPerCall ? count : kMostPerCall);
    if (!ReadFile(asHandle(handle), dest, asked, &got, &where)) {
        return GetLastError() == ERROR_HANDLE_EOF ? 0 : -1;
    }
    return got;
}

std::int64_t write(Handle handle, const std::uint8_t* data, std::size_t count) {
    DWORD put = 0;
    const DWORD asked = static_cast<DWORD>(count < kMostPerCall ? count : kMostPerCall);
    return WriteFile(asHandle(handle), data, asked, &put, nullptr) ? put : -1;
}

bool truncate(Handle handle, std::int64_t length) {
    LARGE_INTEGER end;
    end.QuadPart = length;
    return SetFilePointerEx(asHandle(handle), end, nullptr, FILE_BEGIN) &&
           SetEndOfFile(asHandle(handle));
}

bool close(Handle handle) {
    return CloseHandle(asHandle(handle)) != 0;
}

}  // namespace d88::os
