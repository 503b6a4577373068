#include "RecordStatus.h"

namespace d88info {

namespace {

constexpr std::uint8_t kDeletedMark = 0x10;
constexpr std::uint8_t kNormal = 0x00;
constexpr std::uint8_t kNormalDeleted = 0x10;
constexpr std::uint8_t kIdCrcError = 0xA0;
constexpr std::uint8_t kDataCrcError = 0xB0;
constexpr std::uint8_t kNoAddressMark = 0xE0;
constexpr std::uint8_t kNoDataMark = 0xF0;

std::string hexByte(std::uint8_t byte) {
    char text[5];
    std::snprintf(text, sizeof text, "0x%02X", static_cast<unsigned>(byte));
    return text;
}

}  // namespace

std::string densityText(std::uint8_t density) {
    switch (density) {
        case 0x00:
            return "double";
        case 0x40:
            return "single";
        case 0x01:
            return "high";
        default:
            return hexByte(density);
    }
}

std::string deletedText(std::uint8_t deleted) {
    switch (deleted) {
        case 0x00:
            return "-";
        case kDeletedMark:
            return "deleted";
        default:
            return hexByte(deleted);
    }
}

std::string statusText(std::uint8_t status) {
    switch (status) {
        case kNormal:
            return "normal";
        case kNormalDeleted:
            return "normal, deleted data";
        case kIdCrcError:
            return "ID CRC error";
        case kDataCrcError:
            return "data CRC error";
        case kNoAddressMark:
            return "no address mark";
        case kNoDataMark:
            return "no data mark";
        default:
            return hexByte(status);
    }
}

RecordState recordState(const d88::TrackRecord& record) {
    if (record.dataInFile < record.header.dataLength) {
        return RecordState::CutOff;
    }
    return headerState(record.header);
}

RecordState headerState(const d88::SectorHeader& h) {
    switch (h.status) {
        case kIdCrcError:
        case kDataCrcError:
            return RecordState::CrcError;
        case kNoAddressMark:
        case kNoDataMark:
            return RecordState::NoMark;
        case kNormal:
        case kNormalDeleted:
            break;
        default:
            return RecordState::Other;
    }
    if (h.deleted != 0x00 && h.deleted != kDeletedMark) {
        return RecordState::Other;
    }
    return h.deleted == kDeletedMark || h.status == kNormalDeleted ? RecordState::Deleted
                                                                   : RecordState::Normal;
}

void printRecordCounts(std::FILE* out, const DiskTracks& tracks) {
    std::size_t crcErrors = 0;
    std::size_t deleted = 0;
    std::size_t otherStatus = 0;
    for (const TrackRecords& track : tracks) {
        for (const d88::TrackRecord& record : track.records) {
            const std::uint8_t status = record.header.status;
            crcErrors += status == kIdCrcError || status == kDataCrcError;
            deleted += record.header.deleted == kDeletedMark || status == kNormalDeleted;
            otherStatus += status != kNormal && status != kNormalDeleted && status != kIdCrcError &&
                           status != kDataCrcError;
        }
    }
    if (crcErrors + deleted + otherStatus == 0) {
        return;
    }
    const char* separator = "  status: ";
    const auto part = [&](std::size_t count, const char* what) {
        if (count != 0) {
            std::fprintf(out, "%s%zu record%s %s", separator, count, count == 1 ? "" : "s", what);
            separator = ", ";
        }
    };
    part(crcErrors, "with a CRC error");
    part(deleted, "with a deleted mark");
    part(otherStatus, "with another status");
    std::fputc('\n', out);
}

}  // namespace d88info
