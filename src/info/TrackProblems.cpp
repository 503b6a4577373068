#include "TrackProblems.h"

#include <algorithm>

#include "TrackNames.h"

namespace d88info {

namespace {

// The problems of one track, each without the track's number.
using Problems = std::vector<std::string>;

// Room for the longest problem text.
constexpr std::size_t kTextRoom = 160;

// The first record whose sector count differs from record 0's.
void checkCounts(Problems& problems, const TrackRecords& track) {
    for (std::size_t i = 1; i < track.records.size(); ++i) {
        const unsigned first = track.records[0].header.sectorCount;
        const unsigned count = track.records[i].header.sectorCount;
        if (count != first) {
            char text[kTextRoom];
            std::snprintf(text, sizeof text,
                          "sector counts disagree (record 0 says %u, record %zu says %u)", first, i,
                          count);
            problems.emplace_back(text);
            return;
        }
    }
}

// The first record whose data ends past the disk's last byte.
void checkDiskEnd(Problems& problems, const TrackRecords& track, std::int64_t diskEnd) {
    for (std::size_t i = 0; i < track.records.size(); ++i) {
        const d88::TrackRecord& record = track.records[i];
        if (record.dataOffset + record.header.dataLength > diskEnd) {
            problems.push_back("record " + std::to_string(i) + " runs past the end of the disk");
            return;
        }
    }
}

// How the walk ended, where that is a problem. A record with sector count 0
// that the file cuts off is named for both, in that order.
void checkEnd(Problems& problems, const TrackRecords& track, std::uint32_t diskSize) {
    const std::size_t last = track.records.empty() ? 0 : track.records.size() - 1;
    char text[kTextRoom];
    if (track.end == d88::WalkEnd::BeyondDisk) {
        std::snprintf(text, sizeof text, "offset %lu is beyond the disk (%lu bytes), not read",
                      static_cast<unsigned long>(track.tableOffset),
                      static_cast<unsigned long>(diskSize));
        problems.emplace_back(text);
        return;
    }
    if (track.end == d88::WalkEnd::InsideHeader) {
        std::snprintf(text, sizeof text, "offset %lu lies inside the header, not read",
                      static_cast<unsigned long>(track.tableOffset));
        problems.emplace_back(text);
        return;
    }
    if (track.end == d88::WalkEnd::CountZero) {
        std::snprintf(text, sizeof text, "record %zu has sector count 0, the track ends there",
                      last);
        problems.emplace_back(text);
    }
    if (track.dataCutOff()) {
        std::snprintf(text, sizeof text,
                      "record %zu cut off by the end of the file (%lld of %u data bytes)", last,
                      static_cast<long long>(track.records[last].dataInFile),
                      static_cast<unsigned>(track.records[last].header.dataLength));
    } else if (track.end == d88::WalkEnd::FileEnded) {
        std::snprintf(text, sizeof text, "record %zu cut off by the end of the file (header)",
                      track.records.size());
    } else if (track.capped) {
        std::snprintf(text, sizeof text,
                      "the sector counts ask for more than %zu records, shown up to there",
                      kMaxRecordsPerTrack);
    } else {
        return;
    }
    problems.emplace_back(text);
}

// One problem over the neighbouring tracks first..last.
struct ProblemRun {
    int first;
    int last;
    std::string text;
};

std::string describe(const ProblemRun& run) {
    std::string text = trackRange(run.first, run.last);
    if (run.first != run.last) {
        text += " (" + std::to_string(run.last - run.first + 1) + " tracks)";
    }
    return text + ": " + run.text;
}

}  // namespace

std::vector<std::string> findTrackProblems(const DiskTracks& tracks, std::int64_t diskStart,
                                           std::uint32_t diskSize) {
    const std::int64_t diskEnd = diskStart + diskSize;
    std::vector<ProblemRun> runs;
    for (const TrackRecords& track : tracks) {
        Problems problems;
        checkCounts(problems, track);
        checkDiskEnd(problems, track, diskEnd);
        checkEnd(problems, track, diskSize);
        for (std::string& text : problems) {
            // A run goes on when the track before had the same problem.
            auto run = std::find_if(runs.begin(), runs.end(), [&](const ProblemRun& r) {
                return r.last == track.index - 1 && r.text == text;
            });
            if (run != runs.end()) {
                run->last = track.index;
            } else {
                runs.push_back({track.index, track.index, std::move(text)});
            }
        }
    }
    // In the order of each run's first track; runs are made in that order.
    std::vector<std::string> lines;
    for (const ProblemRun& run : runs) {
        lines.push_back(describe(run));
    }
    return lines;
}

void printTrackProblems(std::FILE* out, const std::vector<std::string>& problems) {
    for (const std::string& problem : problems) {
        std::fprintf(out, "  problem: %s\n", problem.c_str());
    }
}

}  // namespace d88info
