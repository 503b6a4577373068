// The records of every track of a disk as the reader's walk of each track
// meets them, kept for the summary, the listing, the problems found and the
// picture.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "d88/D88Image.h"

namespace d88info {

// A track is kept up to this many records even when the sector counts ask for
// more: no real track holds that many sectors, and counts that never end the
// walk would otherwise list a damaged image to its end on every track.
inline constexpr std::size_t kMaxRecordsPerTrack = 256;

// One track: where it lies, its records in file order and how its walk ended.
// A track whose offset points into the disk's header is not walked (its end
// is InsideHeader); the entries past a table of 160 (a 672-byte header, see
// d88::DiskHeader::trackTableEntries) are no tracks: absent and not in the table.
struct TrackRecords {
    int index = 0;                  // the track index
    std::uint32_t tableOffset = 0;  // the track table entry
    std::int64_t start = 0;         // file offset of the first record
    std::vector<d88::TrackRecord> records;
    d88::WalkEnd end = d88::WalkEnd::Absent;
    bool capped = false;  // kMaxRecordsPerTrack records kept, and the walk goes on
    bool inTable = true;  // an entry of the disk's track table

    bool present() const { return end != d88::WalkEnd::Absent; }
    // True when the file ends inside the data of the last record.
    bool dataCutOff() const {
        return !records.empty() && records.back().dataInFile < records.back().header.dataLength;
    }
};

using DiskTracks = std::array<TrackRecords, d88::DiskHeader::kTrackCount>;

// Reads the records of every track of the selected disk of `image`, which
// starts at `diskStart`, walking each the way a sector search walks it.
void readDiskTracks(d88::D88Image& image, std::int64_t diskStart, DiskTracks& tracks);

}  // namespace d88info
