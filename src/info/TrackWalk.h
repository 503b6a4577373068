// Walking the records of one track the way d88cut's reader walks them, and
// keeping every header on the way for the summary, the listing and the
// problems found.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "RawFile.h"
#include "d88/DiskHeader.h"
#include "d88/SectorHeader.h"

namespace d88info {

// A walk stops after this many records even when the sector counts ask for
// more: no real track holds that many sectors, and counts that never end the
// walk would otherwise list a damaged image to its end on every track.
inline constexpr int kMaxRecordsPerTrack = 256;

struct RecordInfo {
    d88::SectorHeader header;
    std::int64_t dataOffset;  // file offset of the data after the header
    std::int64_t dataInFile;  // bytes of that data the file holds
};

enum class WalkEnd {
    LastRecord,   // a record whose position is its sector count minus 1
    CountZero,    // a header with sector count 0, where a sector search stops
    FileEnded,    // the file ends before or inside a record header
    DataCutOff,   // the file ends inside the last record's data
    RecordLimit,  // kMaxRecordsPerTrack records and the counts ask for more
    BeyondDisk,   // the track's offset is beyond the disk: it is not read
    Absent,       // the track table entry is 0
};

struct TrackWalk {
    int track = 0;
    std::uint32_t tableOffset = 0;  // the track table entry
    std::int64_t start = 0;         // file offset of the first record
    std::vector<RecordInfo> records;
    WalkEnd end = WalkEnd::Absent;

    bool present() const { return end != WalkEnd::Absent; }
};

using DiskWalk = std::array<TrackWalk, d88::DiskHeader::kTrackCount>;

// Walks track `track` of the disk at `diskStart` with header `header`: from
// record 0 on until a record's position equals its own sector count minus 1,
// a count is 0, the file ends, or kMaxRecordsPerTrack records were seen.
TrackWalk walkTrack(RawFile& file, std::int64_t diskStart, const d88::DiskHeader& header,
                    int track);

// Every track of the disk, index 0 to 163.
void walkDisk(RawFile& file, std::int64_t diskStart, const d88::DiskHeader& header,
              DiskWalk& walks);

}  // namespace d88info
