// The -v listing: every present track of a disk with each record in file
// order, as the track's walk found them.
#pragma once

#include <cstdio>
#include <string>

#include "TrackWalk.h"

namespace d88info {

// "track 12 (C6 H0)": a track index and the cylinder and head d88cut reads on it.
std::string trackName(int track);

void printRecordListing(std::FILE* out, const DiskWalk& walks);

}  // namespace d88info
