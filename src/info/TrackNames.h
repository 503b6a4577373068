// How d88info names tracks in its text and picture: one track with its
// cylinder and head, and a run of neighbouring tracks.
#pragma once

#include <string>

namespace d88info {

// "track 12 (C6 H0)": a track index and the cylinder and head d88cut reads on it.
std::string trackName(int track);

// "track 3" for one track, "tracks 10-66" for the tracks first..last.
std::string trackRange(int first, int last);

}  // namespace d88info
