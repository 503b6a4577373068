// The -x dump: one sector of a disk, found the way d88cut finds sectors, as
// lines of an offset, 16 bytes in hex and the same bytes as ASCII.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>

#include "InfoOptions.h"
#include "d88/D88Image.h"

namespace d88info {

// Bytes of the largest sector a record can hold (its data length is 16 bits).
inline constexpr std::size_t kLargestSector = 65535;

// Dumps the sector `choice` of the selected disk of `image`, or says there is
// no such sector. `buffer` holds kLargestSector bytes.
void printSectorDump(std::FILE* out, d88::D88Image& image, const SectorChoice& choice,
                     std::uint8_t* buffer);

}  // namespace d88info
