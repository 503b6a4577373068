// The one walk through the records of a track, front to back, as both tools
// see it: each record is a 16-byte sector header and its data, and the walk
// ends where the headers' own sector counts, or the file, say it does.
#pragma once

#include <cstdint>

#include "FileWindow.h"
#include "SectorHeader.h"

namespace d88 {

// One record as the walk meets it.
struct TrackRecord {
    SectorHeader header;
    std::int64_t dataOffset = 0;  // file offset of the data after the header
    std::int64_t dataInFile = 0;  // bytes of that data the file holds
};

// How a walk ended, or why it never began.
enum class WalkEnd {
    Going,       // not ended yet
    LastRecord,  // a record whose position equals its own sector count minus 1
    CountZero,   // a record with sector count 0, where a sector search stops
    FileEnded,   // the file ends before or inside a record header
    Absent,      // the track table holds 0 for the track (or no such track)
    BeyondDisk,  // the track's offset is beyond the disk's size: never read
    // The track's offset points into the disk's own header (see
    // DiskHeader::headerSize). The reader walks such a track as it finds it,
    // as d88cut always has, unless the offset is also beyond the disk's size
    // (a disk smaller than a header); d88info names it and does not walk it.
    InsideHeader,
};

// Whether a sector count of 0 ends the walk. A sector search stops there
// without looking at that record's ID; a listing of IDs goes on past it.
enum class WalkRule { Search, Listing };

// Copies the first `count` bytes (at most the data length) of the data of
// `record` into `dest`; returns how many of them the file really holds.
std::int32_t copyRecordData(FileWindow& window, const TrackRecord& record, std::uint8_t* dest,
                            std::int32_t count);

class RecordWalk {
  public:
    // A walk over the records from file offset `start` on.
    RecordWalk(FileWindow& window, std::int64_t start, WalkRule rule)
        : window(&window), position(start), rule(rule) {}
    // A walk that never began, for a track that is not there to be read.
    explicit RecordWalk(WalkEnd why) : ended(why) {}

    // The next record; false once the walk has ended. The record that ends
    // the walk is returned too, and end() then says why it was the last.
    bool next(TrackRecord& record);
    // The next record whose ID a sector search looks at: as next(), but a
    // record with sector count 0 ends the search before its ID counts.
    bool nextSearched(TrackRecord& record) { return next(record) && ended != WalkEnd::CountZero; }
    WalkEnd end() const { return ended; }

    // copyRecordData() for a record this walk returned; 0 for a walk that never began.
    std::int32_t readData(const TrackRecord& record, std::uint8_t* dest, std::int32_t count) {
        return window != nullptr ? copyRecordData(*window, record, dest, count) : 0;
    }

  private:
    FileWindow* window = nullptr;
    std::int64_t position = 0;  // file offset of the next header
    WalkRule rule = WalkRule::Search;
    std::int64_t index = 0;  // position of the next record in the track
    WalkEnd ended = WalkEnd::Going;
};

}  // namespace d88
