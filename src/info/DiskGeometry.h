// The geometry of a disk whose layout is regular: every present track holds
// the same number of sectors of one size, numbered differently, each track's
// records carry one cylinder and head, and those make up every cylinder from
// 0 on with one head or two.
#pragma once

#include <cstdio>

#include "TrackRecords.h"

namespace d88info {

// "  geometry: 40 cylinders x 2 heads x 16 sectors x 256 bytes = 327680 bytes"
// for a regular layout; nothing for any other. A disk with a problem in one of
// its tracks is not shown a geometry: the caller leaves the line out.
void printGeometry(std::FILE* out, const DiskTracks& tracks);

}  // namespace d88info
