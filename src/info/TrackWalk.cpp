#include "TrackWalk.h"

namespace d88info {

namespace {

TrackWalk walkTrack(d88::D88Image& image, std::int64_t diskStart, int track) {
    TrackWalk walk;
    walk.track = track;
    walk.tableOffset = image.diskHeader().trackOffsets[track];
    walk.start = diskStart + walk.tableOffset;
    d88::RecordWalk records = image.walkTrack(track, d88::WalkRule::Search);
    d88::TrackRecord record;
    while (walk.records.size() < kMaxRecordsPerTrack && records.next(record)) {
        walk.records.push_back(record);
    }
    walk.end = records.end();
    walk.capped = walk.end == d88::WalkEnd::Going;
    return walk;
}

}  // namespace

void walkDisk(d88::D88Image& image, std::int64_t diskStart, DiskWalk& walks) {
    for (int track = 0; track < d88::DiskHeader::kTrackCount; ++track) {
        walks[track] = walkTrack(image, diskStart, track);
    }
}

}  // namespace d88info
