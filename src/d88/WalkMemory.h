// What the last few walks of a track to its end found, so that the next
// sector read on a track already walked costs no walk: for each record ID
// met, the first record with that ID, as a sector search would find it.
#pragma once

#include <cstdint>

#include "RecordWalk.h"

namespace d88 {

// One walk of a track from its file offset `start` to its end.
class RememberedWalk {
  public:
    // Record IDs kept per walk; a track with more is not remembered.
    static constexpr int kMaxIds = 64;

    // Forgets the walk and starts one anew.
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

class WalkMemory {
  public:
    // Tracks remembered at once: a cut that goes back to a track it read a
    // few tracks earlier (MUSDRV of Demo Disk 1) still walks it once.
    static constexpr int kSlots = 4;

    void clear();
    // The remembered walk of the track that starts at `start`, or null.
    const RememberedWalk* find(std::int64_t start);
    // Room for a new walk, the one used longest ago; it counts as
    // remembered only once keep() is called.
    RememberedWalk& prepare();
    // Remembers the walk prepare() gave as that of the track at `start`.
    void keep(std::int64_t start);

  private:
    struct Slot {
        std::int64_t start = -1;  // -1: holds no walk
        std::uint64_t lastUse = 0;
        RememberedWalk walk;
    };
    Slot slots[kSlots];
    int prepared = 0;
    std::uint64_t uses = 0;
};

}  // namespace d88
