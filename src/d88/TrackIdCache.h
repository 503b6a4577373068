// The record IDs of the last few tracks walked to their end, so that the next
// sector read on a track already walked costs no walk: for each record ID
// met, the first record with that ID, as a sector search would find it.
#pragma once

#include <cstdint>

#include "RecordWalk.h"

namespace d88 {

// The first record of each ID on one track, as a walk from the track's start
// to its end met them.
class TrackIdIndex {
  public:
    // Record IDs kept per track; a track with more is not kept.
    static constexpr int kMaxIds = 64;

    // Forgets the IDs kept and starts anew.
    void restart() { idCount = 0; }
    // Keeps `record` when its ID is new; false when there is no room left.
    bool add(const TrackRecord& record);
    // The first record met with ID (c, h, r, n); false when none was.
    bool find(std::int32_t c, std::int32_t h, std::int32_t r, std::int32_t n,
              TrackRecord& found) const;

  private:
    struct Kept {
        SectorHeader header;
        std::int64_t dataOffset;
    };
    int idCount = 0;
    Kept kept[kMaxIds] = {};
};

// The ID indexes of the last few tracks walked, found by the track's file
// offset; the one used longest ago gives way to a new one.
class TrackIdCache {
  public:
    // Tracks remembered at once: a cut that goes back to a track it read a
    // few tracks earlier (MUSDRV of Demo Disk 1) still walks it once.
    static constexpr int kSlots = 4;

    void clear();
    // The ID index of the track that starts at `start`, or null.
    const TrackIdIndex* find(std::int64_t start);
    // Room for a new track's IDs, the slot used longest ago; it counts as
    // kept only once keep() is called.
    TrackIdIndex& prepare();
    // Keeps the index prepare() gave as that of the track at `start`.
    void keep(std::int64_t start);

  private:
    struct Slot {
        std::int64_t start = -1;  // -1: holds no track
        std::uint64_t lastUse = 0;
        TrackIdIndex ids;
    };
    Slot slots[kSlots];
    int prepared = 0;
    std::uint64_t uses = 0;
};

}  // namespace d88
