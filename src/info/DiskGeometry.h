// The geometry of a disk whose layout is regular: every present track holds
// the same number of sectors of one size, numbered differently, each track's
// records carry one cylinder and head, and those make up every cylinder from
// 0 on with one head or two.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <optional>

#include "TrackRecords.h"

namespace d88info {

struct Geometry {
    int cylinders;
    int heads;
    std::size_t sectors;  // per track
    int sectorSize;       // bytes
    std::int64_t capacity;
};

// The geometry of a regular layout; none for any other.
std::optional<Geometry> regularGeometry(const DiskTracks& tracks);

// "  geometry: 40 cylinders x 2 heads x 16 sectors x 256 bytes = 327680 bytes".
// A disk with a problem in one of its tracks is not shown a geometry: the
// caller leaves the line out.
void printGeometry(std::FILE* out, const Geometry& geometry);

}  // namespace d88info
