#include "RecordListing.h"

#include "RecordStatus.h"
#include "TrackNames.h"

namespace d88info {

namespace {

constexpr char kColumns[] =
    "      C   H   R   N count length  data        density mark     status\n";

void printRecord(std::FILE* out, const d88::TrackRecord& record) {
    const d88::SectorHeader& h = record.header;
    std::fprintf(out, "    %3u %3u %3u %3u %5u %6u  0x%08llX  %-7s %-8s %s\n",
                 static_cast<unsigned>(h.c), static_cast<unsigned>(h.h), static_cast<unsigned>(h.r),
                 static_cast<unsigned>(h.n), static_cast<unsigned>(h.sectorCount),
                 static_cast<unsigned>(h.dataLength),
                 static_cast<unsigned long long>(record.dataOffset), densityText(h.density).c_str(),
                 deletedText(h.deleted).c_str(), statusText(h.status).c_str());
}

void printTrack(std::FILE* out, const TrackRecords& track) {
    std::fprintf(out, "  %s", trackName(track.index).c_str());
    if (track.end == d88::WalkEnd::BeyondDisk) {
        std::fputs(": beyond the disk, not read\n", out);
        return;
    }
    if (track.end == d88::WalkEnd::InsideHeader) {
        std::fputs(": inside the header, not read\n", out);
        return;
    }
    const std::size_t count = track.records.size();
    std::fprintf(out, " at 0x%08llX: %zu record%s\n", static_cast<unsigned long long>(track.start),
                 count, count == 1 ? "" : "s");
    if (count == 0) {
        return;
    }
    std::fputs(kColumns, out);
    for (const d88::TrackRecord& record : track.records) {
        printRecord(out, record);
    }
}

}  // namespace

void printRecordListing(std::FILE* out, const DiskTracks& tracks) {
    for (const TrackRecords& track : tracks) {
        if (track.present()) {
            printTrack(out, track);
        }
    }
}

}  // namespace d88info
