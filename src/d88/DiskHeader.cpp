#include "DiskHeader.h"

#include "ByteOrder.h"

namespace d88 {

DiskHeader DiskHeader::parse(const std::uint8_t* bytes) {
    DiskHeader header{};
    for (std::size_t i = 0; i < kNameLength && bytes[kNameOffset + i] != 0; ++i) {
        header.name[i] = static_cast<char>(bytes[kNameOffset + i]);
    }
    header.writeProtect = bytes[kWriteProtectOffset];
    header.media = bytes[kMediaOffset];
    header.diskSize = readU32LE(bytes + kDiskSizeOffset);
    for (int t = 0; t < kTrackCount; ++t) {
        header.trackOffsets[t] = readU32LE(bytes + kTrackTableOffset + 4 * t);
    }
    return header;
}

int DiskHeader::trackTableEntries() const {
    std::uint32_t lowest = 0;
    for (int t = 0; t < kShortTrackCount; ++t) {
        const std::uint32_t offset = trackOffsets[t];
        if (offset != 0 && (lowest == 0 || offset < lowest)) {
            lowest = offset;
        }
    }
    return lowest == kShortSize ? kShortTrackCount : kTrackCount;
}

std::size_t DiskHeader::headerSize() const {
    return trackTableEntries() == kShortTrackCount ? kShortSize : kSize;
}

}  // namespace d88
