#include "TrackRecords.h"

namespace d88info {

namespace {

// The track at `index`, an entry of a table whose header is `headerSize` bytes.
TrackRecords readTrack(d88::D88Image& image, std::int64_t diskStart, int index,
                       std::size_t headerSize) {
    TrackRecords track;
    track.index = index;
    track.tableOffset = image.diskHeader().trackOffsets[index];
    track.start = diskStart + track.tableOffset;
    if (track.tableOffset != 0 && track.tableOffset < headerSize) {
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
    const d88::DiskHeader& header = image.diskHeader();
    const int entries = header.trackTableEntries();
    const std::size_t headerSize = header.headerSize();
    for (int index = 0; index < d88::DiskHeader::kTrackCount; ++index) {
        if (index < entries) {
            tracks[index] = readTrack(image, diskStart, index, headerSize);
        } else {
            tracks[index] = TrackRecords();
            tracks[index].index = index;
            tracks[index].inTable = false;
        }
    }
}

}  // namespace d88info
