#include "SectorHeader.h"

#include "ByteOrder.h"

namespace d88 {

SectorHeader SectorHeader::parse(const std::uint8_t* bytes) {
    SectorHeader header{};
    header.c = bytes[0];
    header.h = bytes[1];
    header.r = bytes[2];
    header.n = bytes[3];
    header.sectorCount = readU16LE(bytes + 4);
    header.density = bytes[6];
    header.deleted = bytes[7];
    header.status = bytes[8];
    header.dataLength = readU16LE(bytes + 14);
    return header;
}

}  // namespace d88
