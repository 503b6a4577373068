// The 688-byte header at the start of every disk of a D88 file.
#pragma once

#include <cstddef>
#include <cstdint>

namespace d88 {

struct DiskHeader {
    static constexpr std::size_t kSize = 0x2B0;
    static constexpr std::size_t kNameOffset = 0x00;
    static constexpr std::size_t kNameLength = 16;
    static constexpr std::size_t kWriteProtectOffset = 0x1A;
    static constexpr std::size_t kMediaOffset = 0x1B;
    static constexpr std::size_t kDiskSizeOffset = 0x1C;
    static constexpr std::size_t kTrackTableOffset = 0x20;
    static constexpr int kTrackCount = 164;

    // Name up to the first zero byte, at most 16 characters, always terminated.
    char name[kNameLength + 1];
    std::uint8_t writeProtect;
    std::uint8_t media;
    // Bytes of the whole disk image, this header included.
    std::uint32_t diskSize;
    // Offset of each track from the disk's first byte; 0 means the track is absent.
    std::uint32_t trackOffsets[kTrackCount];

    // Parses kSize bytes that were read whole from the file.
    static DiskHeader parse(const std::uint8_t* bytes);
};

}  // namespace d88
