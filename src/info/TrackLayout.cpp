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

}  // namespace

std::string trackContents(const TrackRecords& track) {
    if (track.end == d88::WalkEnd::BeyondDisk) {
        return "beyond the disk";
    }
    if (track.records.empty()) {
        return "no records";
    }
    std::vector<std::pair<int, std::vector<int>>> bySizeCode;
    for (const d88::TrackRecord& record : track.records) {
        auto group = std::find_if(bySizeCode.begin(), bySizeCode.end(), [&](const auto& entry) {
            return entry.first == record.header.n;
        });
        if (group == bySizeCode.end()) {
            bySizeCode.push_back({record.header.n, {}});
            group = bySizeCode.end() - 1;
        }
        group->second.push_back(record.header.r);
    }
    // The physical order, where it is not ascending, lists the numbers
    // themselves, so a track of one size code needs no ranges besides.
    std::string order;
    const auto& records = track.records;
    const bool ascending = std::is_sorted(records.begin(), records.end(),
                                          [](const d88::TrackRecord& a, const d88::TrackRecord& b) {
                                              return a.header.r < b.header.r;
                                          });
    if (!ascending) {
        order = ", order";
        for (const d88::TrackRecord& record : records) {
            order += ' ' + std::to_string(record.header.r);
        }
    }
    std::string text;
    for (const auto& [n, numbers] : bySizeCode) {
        if (!text.empty()) {
            text += " + ";
        }
        text += std::to_string(numbers.size()) + " x ";
        if (ascending || bySizeCode.size() > 1) {
            text += 'R' + rangesOf(numbers) + ' ';
        }
        text += 'N' + std::to_string(n);
    }
    return text + order;
}

void printTrackLayout(std::FILE* out, const DiskTracks& tracks) {
    std::string layout;
    int present = 0;
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
    std::fprintf(out, "  tracks: %d of %d present\n", present, static_cast<int>(tracks.size()));
    if (!layout.empty()) {
        std::fprintf(out, "  layout: %s\n", layout.c_str());
    }
}

}  // namespace d88info
