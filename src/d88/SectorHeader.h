// The 16-byte header in front of every sector's data in a track.
#pragma once

#include <cstddef>
#include <cstdint>

namespace d88 {

struct SectorHeader {
    static constexpr std::size_t kSize = 16;

    std::uint8_t c;             // cylinder
    std::uint8_t h;             // head
    std::uint8_t r;             // sector number
    std::uint8_t n;             // size code: nominally 128 << n bytes
    std::uint16_t sectorCount;  // sectors in this track, as this header claims
    std::uint8_t density;
    std::uint8_t deleted;
    std::uint8_t status;
    std::uint16_t dataLength;  // bytes of data that follow this header

    // Parses kSize bytes that were read whole from the file.
    static SectorHeader parse(const std::uint8_t* bytes);

    // True when the four ID bytes equal the wanted values; a byte 0-255 never
    // equals a value outside that range.
    bool hasId(std::int32_t wantC, std::int32_t wantH, std::int32_t wantR,
               std::int32_t wantN) const {
        return c == wantC && h == wantH && r == wantR && n == wantN;
    }

    // True when neither a deleted-data mark nor a status other than 0x00 (a
    // CRC error, a missing mark, deleted data) is noted for the record.
    bool isPlainlyNormal() const { return deleted == 0x00 && status == 0x00; }

    // True when record position `index` is the last one this header's count allows.
    bool isLastRecord(std::int64_t index) const { return index == std::int64_t{sectorCount} - 1; }
};

}  // namespace d88
