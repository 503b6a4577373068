// The bytes of one merged disk: a 688-byte header with the first dump's name,
// media and write protection, the track table and the disk size computed,
// then the merged tracks in index order.
#pragma once

#include <cstdint>
#include <vector>

#include "TrackMerge.h"
#include "d88/DiskHeader.h"

namespace d88merge {

// No floppy disk comes near this; a disk whose merge would be larger is made
// of records no drive wrote, and is refused rather than held in memory.
inline constexpr std::int64_t kMaxMergedDiskBytes = 16 * 1024 * 1024;

// Fills `bytes` with the disk; false, and `bytes` empty, when it would hold
// more than kMaxMergedDiskBytes.
bool buildMergedDisk(const d88::DiskHeader& first, const std::vector<MergedTrack>& tracks,
                     CopyReader& reader, std::vector<std::uint8_t>& bytes);

}  // namespace d88merge
