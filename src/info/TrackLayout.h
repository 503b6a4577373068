// The short description of a disk's tracks: how many are present, and runs of
// neighbouring tracks that hold the same sectors, e.g.
// "tracks 0-1: 16 x R1-16 N1; tracks 2-79: 5 x R0-4 N3", with the physical
// order of the sectors where it is not ascending.
#pragma once

#include <cstdio>
#include <string>

#include "TrackRecords.h"

namespace d88info {

// What one track holds: per size code N, in the order N first appears, the
// number of records and their distinct sector numbers as ranges
// ("16 x R1-16 N1 + 1 x R17 N3"); a number held twice shows as a count above
// the numbers ("3 x R1-2 N3"). Where the numbers do not ascend in file order,
// that order follows ("16 x N1, order 1 14 11 ..."; the ranges are left out
// for a track of one size code, whose order lists them all).
std::string trackContents(const TrackRecords& track);

// "  tracks: 160 of 164 present" and "  layout: ..." (no layout line when no
// track is present); before them "  track table: 160 entries (672-byte
// header)" for a disk whose table is that short.
void printTrackLayout(std::FILE* out, const DiskTracks& tracks);

}  // namespace d88info
