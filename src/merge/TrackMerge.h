// Which copy of each record of one track the merge takes, from the dumps of
// one disk: records matched by their ID (C, H, R, N), a good copy before a
// damaged one, the copy most dumps agree on where good copies differ, and a
// byte-by-byte vote of three or more damaged copies.
#pragma once

#include <cstdint>
#include <vector>

#include "d88/D88Image.h"
#include "info/TrackRecords.h"

namespace d88merge {

// What the merge made of one record.
enum class RecordFate {
    Alike,              // good and the same in every dump
    Repaired,           // good copies alike, and a dump damaged or without it
    Conflict,           // good copies that differ: the one most agree on taken
    Voted,              // no good copy: three or more damaged ones voted on, byte by byte
    DamagedEverywhere,  // no good copy, and too few to vote: the earliest dump's
};
inline constexpr int kRecordFateCount = 5;

// A copy is good when its status is normal (0x00) or normal with deleted data
// (0x10) and its data is as long as its size code says and lies whole in the
// file.
bool isGoodCopy(const d88::TrackRecord& record);

struct MergedRecord {
    d88::SectorHeader header;  // of the copy taken; its sector count is set when written
    int source = 0;            // the dump (member of the disk's group) whose copy is taken
    RecordFate fate = RecordFate::Alike;
    d88::TrackRecord copy;            // the copy taken, in the source's image
    std::vector<std::uint8_t> voted;  // the data voted on, for a voted record
    // For a conflict: the dumps on each side, the side taken first.
    std::vector<std::vector<int>> sides;
    // The dumps whose copy is damaged, and those without the record.
    std::vector<int> damagedIn;
    std::vector<int> missingIn;
};

struct MergedTrack {
    int index = 0;
    std::vector<MergedRecord> records;  // in the order they are written
    // Some dump holds one ID twice on this track: the track is taken whole
    // from `source`, the dump with the most good records on it.
    bool ambiguous = false;
    int source = 0;
};

// The data of a record in the image of one dump.
class CopyReader {
  public:
    virtual std::int32_t read(int dump, const d88::TrackRecord& record, std::uint8_t* dest,
                              std::int32_t count) = 0;

  protected:
    ~CopyReader() = default;
};

// Merges track `index` as each dump holds it (`tracks[d]` of dump d).
MergedTrack mergeTrack(int index, const std::vector<const d88info::TrackRecords*>& tracks,
                       CopyReader& reader);

}  // namespace d88merge
