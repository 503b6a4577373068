// The -v listing: every present track of a disk with each record in file
// order, as the track's walk found them.
#pragma once

#include <cstdio>

#include "TrackRecords.h"

namespace d88info {

void printRecordListing(std::FILE* out, const DiskTracks& tracks);

}  // namespace d88info
