#include "TrackProblems.h"

namespace d88info {

namespace {

// Every problem line starts the same way; the caller writes the rest.
std::FILE* problemLine(std::FILE* out, const TrackWalk& walk) {
    std::fprintf(out, "  problem: track %d: ", walk.track);
    return out;
}

// The first record whose sector count differs from record 0's.
void checkCounts(std::FILE* out, const TrackWalk& walk) {
    for (std::size_t i = 1; i < walk.records.size(); ++i) {
        const unsigned first = walk.records[0].header.sectorCount;
        const unsigned count = walk.records[i].header.sectorCount;
        if (count != first) {
            std::fprintf(problemLine(out, walk),
                         "sector counts disagree (record 0 says %u, record %zu says %u)\n", first,
                         i, count);
            return;
        }
    }
}

// The first record whose data ends past the disk's last byte.
void checkDiskEnd(std::FILE* out, const TrackWalk& walk, std::int64_t diskEnd) {
    for (std::size_t i = 0; i < walk.records.size(); ++i) {
        const d88::TrackRecord& record = walk.records[i];
        if (record.dataOffset + record.header.dataLength > diskEnd) {
            std::fprintf(problemLine(out, walk), "record %zu runs past the end of the disk\n", i);
            return;
        }
    }
}

// How the walk ended, where that is a problem.
void checkEnd(std::FILE* out, const TrackWalk& walk, std::uint32_t diskSize) {
    const std::size_t last = walk.records.empty() ? 0 : walk.records.size() - 1;
    if (walk.end == d88::WalkEnd::BeyondDisk) {
        std::fprintf(
            problemLine(out, walk), "offset %lu is beyond the disk (%lu bytes), not read\n",
            static_cast<unsigned long>(walk.tableOffset), static_cast<unsigned long>(diskSize));
    } else if (walk.end == d88::WalkEnd::CountZero) {
        std::fprintf(problemLine(out, walk),
                     "record %zu has sector count 0, the track ends there\n", last);
    } else if (walk.dataCutOff()) {
        std::fprintf(problemLine(out, walk),
                     "record %zu cut off by the end of the file (%lld of %u data bytes)\n", last,
                     static_cast<long long>(walk.records[last].dataInFile),
                     static_cast<unsigned>(walk.records[last].header.dataLength));
    } else if (walk.end == d88::WalkEnd::FileEnded) {
        std::fprintf(problemLine(out, walk), "record %zu cut off by the end of the file (header)\n",
                     walk.records.size());
    } else if (walk.capped) {
        std::fprintf(problemLine(out, walk),
                     "the sector counts ask for more than %zu records, shown up to there\n",
                     kMaxRecordsPerTrack);
    }
}

}  // namespace

void printTrackProblems(std::FILE* out, const DiskWalk& walks, std::int64_t diskStart,
                        std::uint32_t diskSize) {
    const std::int64_t diskEnd = diskStart + diskSize;
    for (const TrackWalk& walk : walks) {
        checkCounts(out, walk);
        checkDiskEnd(out, walk, diskEnd);
        checkEnd(out, walk, diskSize);
    }
}

}  // namespace d88info
