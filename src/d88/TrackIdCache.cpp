#include "TrackIdCache.h"

namespace d88 {

bool TrackIdIndex::add(const TrackRecord& record) {
    const SectorHeader& header = record.header;
    TrackRecord known;
    if (find(header.c, header.h, header.r, header.n, known)) {
        return true;  // the first record with an ID is the one a search finds
    }
    if (idCount == kMaxIds) {
        return false;
    }
    kept[idCount++] = {header, record.dataOffset};
    return true;
}

bool TrackIdIndex::find(std::int32_t c, std::int32_t h, std::int32_t r, std::int32_t n,
                        TrackRecord& found) const {
    for (int i = 0; i < idCount; ++i) {
        if (kept[i].header.hasId(c, h, r, n)) {
            found.header = kept[i].header;
            found.dataOffset = kept[i].dataOffset;
            return true;
        }
    }
    return false;
}

void TrackIdCache::clear() {
    for (Slot& slot : slots) {
        slot.start = -1;
    }
}

const TrackIdIndex* TrackIdCache::find(std::int64_t start) {
    for (Slot& slot : slots) {
        if (slot.start == start) {
            slot.lastUse = ++uses;
            return &slot.ids;
        }
    }
    return nullptr;
}

TrackIdIndex& TrackIdCache::prepare() {
    prepared = 0;
    for (int i = 1; i < kSlots; ++i) {
        if (slots[i].lastUse < slots[prepared].lastUse) {
            prepared = i;
        }
    }
    slots[prepared].start = -1;
    slots[prepared].ids.restart();
    return slots[prepared].ids;
}

void TrackIdCache::keep(std::int64_t start) {
    slots[prepared].start = start;
    slots[prepared].lastUse = ++uses;
}

}  // namespace d88
