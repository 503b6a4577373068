// Naming what is wrong with a disk's tracks, one "  problem: ..." line each:
// a track offset beyond the disk, a record cut off by the end of the file,
// sector counts that disagree, a count of 0, a record that runs past the end
// of the disk, and a walk stopped at the record limit.
#pragma once

#include <cstdint>
#include <cstdio>

#include "TrackWalk.h"

namespace d88info {

// Prints the problems of every track of the disk at `diskStart`, whose size
// is `diskSize`, in track order.
void printTrackProblems(std::FILE* out, const DiskWalk& walks, std::int64_t diskStart,
                        std::uint32_t diskSize);

}  // namespace d88info
