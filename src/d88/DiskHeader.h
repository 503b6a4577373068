// The header at the start of every disk of a D88 file: 688 bytes with a track
// table of 164 entries, or, as some writers make it, 672 bytes with one of 160.
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
    // The shorter form: its first track starts where its 160 entries end.
    static constexpr std::size_t kShortSize = 0x2A0;
    static constexpr int kShortTrackCount = 160;

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

    // How many entries of the track table are track offsets: 164, or 160 when
    // the lowest offset other than 0 among the first 160 is kShortSize, where
    // the track data starts right after 160 entries and entries 160 to 163
    // are bytes of the first track. The reader takes all 164 entries as
    // offsets whatever this says; d88cut reads no track past 159.
    int trackTableEntries() const;
    // The bytes of the header of that form: kSize, or kShortSize.
    std::size_t headerSize() const;
};

}  // namespace d88
