#include "TrackRecords.h"

namespace d88info {

namespace {

TrackRecords readTrack(d88::D88Image& image, std::int64_t diskStart, int index) {
    const d88::DiskHeader& header = image.diskHeader();
    TrackRecords track;
    track.index = index;
    if (index >= header.trackTableEntries()) {
        track.inTable = false;
        return track;
    }
    track.tableOffset = header.trackOffsets[index];
    track.start = diskStart + track.tableOffset;
    if (track.tableOffset != 0 && track.tableOffset < header.headerSize()) {
        track.end = d88::WalkEnd::InsideHeader;
        return track;
    }
    d88::RecordWalk walk = image.walkTrack(index, d88::WalkRule::Search);
    d88::TrackRecord record;
    while (track.records.size() < kMaxRecordsPerTrack && walk.next(record)) {
        track.records.push_back(record);
    }
    track.end = walk.end();
    track.capped = track.end == d88::WalkEnd::Going;
    return track;
}

}  // namespace

void readDiskTracks(d88::D88Image& image, std::int64_t diskStart, DiskTracks& tracks) {
    for (int index = 0; index < d88::DiskHeader::kTrackCount; ++index) {
        tracks[index] = readTrack(image, diskStart, index);
    }
}

}  // namespace d88info
