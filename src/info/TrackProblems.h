// Naming what is wrong with a disk's tracks: a track offset beyond the disk or
// inside its header, a record cut off by the end of the file, sector counts that disagree, a count
// of 0, a record that runs past the end of the disk, and a walk stopped at the
// record limit. Neighbouring tracks with the same problem make one line.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "TrackRecords.h"

namespace d88info {

// The problems of every track of the disk at `diskStart`, whose size is
// `diskSize`, in track order: "track 3: ..." or, for a run of neighbouring
// tracks with the same problem, "tracks 10-66 (57 tracks): ...".
std::vector<std::string> findTrackProblems(const DiskTracks& tracks, std::int64_t diskStart,
                                           std::uint32_t diskSize);

// One "  problem: ..." line each.
void printTrackProblems(std::FILE* out, const std::vector<std::string>& problems);

}  // namespace d88info
