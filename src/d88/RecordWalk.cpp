#include "RecordWalk.h"

namespace d88 {

bool RecordWalk::next(TrackRecord& record) {
    if (ended != WalkEnd::Going) {
        return false;
    }
    const std::uint8_t* bytes = window->bytesAt(position, SectorHeader::kSize);
    if (bytes == nullptr) {
        ended = WalkEnd::FileEnded;
        return false;
    }
    record.header = SectorHeader::parse(bytes);
    record.dataOffset = position + static_cast<std::int64_t>(SectorHeader::kSize);
    const std::int64_t inFile = window->fileSize() - record.dataOffset;
    record.dataInFile =
        inFile < record.header.dataLength ? (inFile > 0 ? inFile : 0) : record.header.dataLength;
    // Every step passes at least the 16-byte header.
    position = record.dataOffset + record.header.dataLength;
    if (rule == WalkRule::Search && record.header.sectorCount == 0) {
        ended = WalkEnd::CountZero;
    } else if (record.header.isLastRecord(index)) {
        ended = WalkEnd::LastRecord;
    }
    ++index;
    return true;
}

std::int32_t copyRecordData(FileWindow& window, const TrackRecord& record, std::uint8_t* dest,
                            std::int32_t count) {
    if (count > record.header.dataLength) {
        count = record.header.dataLength;
    }
    if (count <= 0) {
        return 0;
    }
    return static_cast<std::int32_t>(
        window.copyAt(record.dataOffset, dest, static_cast<std::size_t>(count)));
}

}  // namespace d88
