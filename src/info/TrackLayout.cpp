#include "TrackLayout.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "TrackNames.h"

namespace d88info {

namespace {

// The distinct sector numbers as ranges of consecutive values: "1-16", "0,2-4".
std::string rangesOf(std::vector<int> numbers) {
    std::sort(numbers.begin(), numbers.end());
    numbers.erase(std::unique(numbers.begin(), numbers.end()), numbers.end());
    std::string text;
    for (std::size_t i = 0; i < numbers.size();) {
        std::size_t last = i;
        while (last + 1 < numbers.size() && numbers[last + 1] == numbers[last] + 1) {
            ++last;
        }
        if (!text.empty()) {
            text += ',';
        }
        text += std::to_string(numbers[i]);
        if (last > i) {
            text += '-' + std::to_string(numbers[last]);
        }
        i = last + 1;
    }
    return text;
}

// The sector numbers of the records of one size code N, in file order.
struct SizeGroup {
    int n;
    std::vector<int> numbers;
};

// The records' sector numbers grouped by size code, in the order each size
// code first appears.
std::vector<SizeGroup> groupBySizeCode(const std::vector<d88::TrackRecord>& records) {
    std::vector<SizeGroup> groups;
    for (const d88::TrackRecord& record : records) {
        auto group = std::find_if(groups.begin(), groups.end(), [&](const SizeGroup& entry) {
            return entry.n == record.header.n;
        });
        if (group == groups.end()) {
            groups.push_back({record.header.n, {}});
            group = groups.end() - 1;
        }
        group->numbers.push_back(record.header.r);
    }
    return groups;
}

// Whether the sector numbers never fall in file order.
bool numbersAscend(const std::vector<d88::TrackRecord>& records) {
    return std::is_sorted(records.begin(), records.end(),
                          [](const d88::TrackRecord& a, const d88::TrackRecord& b) {
                              return a.header.r < b.header.r;
                          });
}

// " 1 14 11 ...": every record's sector number in file order.
std::string numbersInFileOrder(const std::vector<d88::TrackRecord>& records) {
    std::string text;
    for (const d88::TrackRecord& record : records) {
        text += ' ' + std::to_string(record.header.r);
    }
    return text;
}

}  // namespace

std::string trackContents(const TrackRecords& track) {
    if (track.end == d88::WalkEnd::BeyondDisk) {
        return "beyond the disk";
    }
    if (track.end == d88::WalkEnd::InsideHeader) {
        return "inside the header";
    }
    if (track.records.empty()) {
        return "no records";
    }
    const std::vector<SizeGroup> groups = groupBySizeCode(track.records);
    const bool ascending = numbersAscend(track.records);
    std::string text;
    for (const SizeGroup& group : groups) {
        if (!text.empty()) {
            text += " + ";
        }
        text += std::to_string(group.numbers.size()) + " x ";
        // The physical order, where it is not ascending, lists the numbers
        // themselves, so a track of one size code needs no ranges besides.
        if (ascending || groups.size() > 1) {
            text += 'R' + rangesOf(group.numbers) + ' ';
        }
        text += 'N' + std::to_string(group.n);
    }
    if (!ascending) {
        text += ", order" + numbersInFileOrder(track.records);
    }
    return text;
}

void printTrackLayout(std::FILE* out, const DiskTracks& tracks) {
    std::string layout;
    int present = 0;
    int entries = 0;
    std::string runContents;
    int runFirst = -1;
    int runLast = -1;
    auto closeRun = [&]() {
        if (runFirst >= 0) {
            layout +=
                (layout.empty() ? "" : "; ") + trackRange(runFirst, runLast) + ": " + runContents;
        }
        runFirst = -1;
    };
    for (const TrackRecords& track : tracks) {
        entries += track.inTable ? 1 : 0;
        if (!track.present()) {
            closeRun();
            continue;
        }
        ++present;
        std::string contents = trackContents(track);
        if (runFirst < 0 || contents != runContents) {
            closeRun();
            runFirst = track.index;
            runContents = std::move(contents);
        }
        runLast = track.index;
    }
    closeRun();
    if (entries == d88::DiskHeader::kShortTrackCount) {
        std::fprintf(out, "  track table: %d entries (%zu-byte header)\n", entries,
                     d88::DiskHeader::kShortSize);
    }
    std::fprintf(out, "  tracks: %d of %d present\n", present, entries);
    if (!layout.empty()) {
        std::fprintf(out, "  layout: %s\n", layout.c_str());
    }
}

}  // namespace d88info
