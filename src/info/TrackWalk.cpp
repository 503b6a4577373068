#include "TrackWalk.h"

namespace d88info {

namespace {

constexpr auto kSectorHeaderSize = static_cast<std::int64_t>(d88::SectorHeader::kSize);

}  // namespace

TrackWalk walkTrack(RawFile& file, std::int64_t diskStart, const d88::DiskHeader& header,
                    int track) {
    TrackWalk walk;
    walk.track = track;
    walk.tableOffset = header.trackOffsets[track];
    walk.start = diskStart + walk.tableOffset;
    if (walk.tableOffset == 0) {
        walk.end = WalkEnd::Absent;
        return walk;
    }
    // The reader refuses a track that starts beyond the disk's size.
    if (walk.tableOffset > header.diskSize) {
        walk.end = WalkEnd::BeyondDisk;
        return walk;
    }
    std::int64_t position = walk.start;
    walk.end = WalkEnd::RecordLimit;
    for (int i = 0; i < kMaxRecordsPerTrack; ++i) {
        std::uint8_t bytes[d88::SectorHeader::kSize];
        if (!file.readAt(position, bytes, sizeof bytes)) {
            walk.end = WalkEnd::FileEnded;
            break;
        }
        RecordInfo record{d88::SectorHeader::parse(bytes), position + kSectorHeaderSize, 0};
        record.dataInFile = file.available(record.dataOffset, record.header.dataLength);
        walk.records.push_back(record);
        if (record.header.sectorCount == 0) {
            walk.end = WalkEnd::CountZero;
            break;
        }
        if (record.dataInFile < record.header.dataLength) {
            walk.end = WalkEnd::DataCutOff;
            break;
        }
        if (record.header.isLastRecord(i)) {
            walk.end = WalkEnd::LastRecord;
            break;
        }
        // Every step passes at least the 16-byte header.
        position = record.dataOffset + record.header.dataLength;
    }
    return walk;
}

void walkDisk(RawFile& file, std::int64_t diskStart, const d88::DiskHeader& header,
              DiskWalk& walks) {
    for (int track = 0; track < d88::DiskHeader::kTrackCount; ++track) {
        walks[track] = walkTrack(file, diskStart, header, track);
    }
}

}  // namespace d88info
