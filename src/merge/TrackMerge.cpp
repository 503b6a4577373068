#include "TrackMerge.h"

#include <algorithm>
#include <array>
#include <cstddef>

namespace d88merge {

namespace {

constexpr std::uint8_t kNormal = 0x00;
constexpr std::uint8_t kNormalDeleted = 0x10;
// The fewest damaged copies a vote is taken among.
constexpr std::size_t kFewestVoters = 3;
// Size codes past this one are longer than any record's data can be.
constexpr int kLargestSizeCode = 8;

struct Copy {
    int dump;
    const d88::TrackRecord* record;
};

bool sameId(const d88::SectorHeader& a, const d88::SectorHeader& b) {
    return a.c == b.c && a.h == b.h && a.r == b.r && a.n == b.n;
}

int goodRecords(const d88info::TrackRecords& track) {
    int good = 0;
    for (const d88::TrackRecord& record : track.records) {
        good += isGoodCopy(record) ? 1 : 0;
    }
    return good;
}

bool holdsAnIdTwice(const d88info::TrackRecords& track) {
    const std::vector<d88::TrackRecord>& records = track.records;
    for (std::size_t i = 0; i < records.size(); ++i) {
        for (std::size_t j = i + 1; j < records.size(); ++j) {
            if (sameId(records[i].header, records[j].header)) {
                return true;
            }
        }
    }
    return false;
}

// The dump with the most good records on the track; the earliest of a tie.
int bestDump(const std::vector<const d88info::TrackRecords*>& tracks) {
    int best = 0;
    int bestGood = -1;
    for (std::size_t dump = 0; dump < tracks.size(); ++dump) {
        const int good = goodRecords(*tracks[dump]);
        if (good > bestGood) {
            best = static_cast<int>(dump);
            bestGood = good;
        }
    }
    return best;
}

// The IDs of the track in the order they are written: the best dump's order,
// then the records only other dumps hold, in the order of the first that has them.
std::vector<d88::SectorHeader> idsInOrder(const std::vector<const d88info::TrackRecords*>& tracks,
                                          int best) {
    std::vector<d88::SectorHeader> ids;
    auto addIdsOf = [&ids](const d88info::TrackRecords& track) {
        for (const d88::TrackRecord& record : track.records) {
            const bool known =
                std::any_of(ids.begin(), ids.end(),
                            [&](const d88::SectorHeader& id) { return sameId(id, record.header); });
            if (!known) {
                ids.push_back(record.header);
            }
        }
    };
    addIdsOf(*tracks[best]);
    for (const d88info::TrackRecords* track : tracks) {
        addIdsOf(*track);
    }
    return ids;
}

std::vector<std::uint8_t> dataOf(CopyReader& reader, const Copy& copy) {
    std::vector<std::uint8_t> data(static_cast<std::size_t>(copy.record->dataInFile));
    const std::int32_t got =
        reader.read(copy.dump, *copy.record, data.data(), static_cast<std::int32_t>(data.size()));
    data.resize(static_cast<std::size_t>(got > 0 ? got : 0));
    return data;
}

// Good copies that agree: the same data, and the same deleted-data mark.
void chooseAmongGood(const std::vector<Copy>& good, CopyReader& reader, MergedRecord& merged) {
    std::vector<std::vector<std::uint8_t>> contents;
    std::vector<const d88::TrackRecord*> first;  // the first copy of each content
    for (const Copy& copy : good) {
        std::vector<std::uint8_t> data = dataOf(reader, copy);
        std::size_t side = 0;
        while (side < contents.size() &&
               !(contents[side] == data &&
                 first[side]->header.deleted == copy.record->header.deleted &&
                 first[side]->header.status == copy.record->header.status)) {
            ++side;
        }
        if (side == contents.size()) {
            contents.push_back(std::move(data));
            first.push_back(copy.record);
            merged.sides.emplace_back();
        }
        merged.sides[side].push_back(copy.dump);
    }
    // The side most copies are on first; of a tie, the earliest dump's.
    std::stable_sort(
        merged.sides.begin(), merged.sides.end(),
        [](const std::vector<int>& a, const std::vector<int>& b) { return a.size() > b.size(); });
    merged.source = merged.sides[0][0];
    if (merged.sides.size() > 1) {
        merged.fate = RecordFate::Conflict;
    } else {
        merged.sides.clear();
        merged.fate = merged.damagedIn.empty() && merged.missingIn.empty() ? RecordFate::Alike
                                                                           : RecordFate::Repaired;
    }
}

// Each byte as most copies holding it have it; of a tie, the earliest
// copy's. As long as the earliest copy's data.
std::vector<std::uint8_t> voteBytes(const std::vector<std::vector<std::uint8_t>>& copies) {
    std::vector<std::uint8_t> voted(copies[0].size());
    std::array<int, 256> count{};
    for (std::size_t at = 0; at < voted.size(); ++at) {
        int bestCount = 0;
        std::uint8_t best = copies[0][at];
        for (const std::vector<std::uint8_t>& copy : copies) {
            if (at < copy.size() && ++count[copy[at]] > bestCount) {
                bestCount = count[copy[at]];
                best = copy[at];
            }
        }
        for (const std::vector<std::uint8_t>& copy : copies) {
            if (at < copy.size()) {
                count[copy[at]] = 0;
            }
        }
        voted[at] = best;
    }
    return voted;
}

void chooseAmongDamaged(const std::vector<Copy>& copies, CopyReader& reader, MergedRecord& merged) {
    std::vector<Copy> withData;
    for (const Copy& copy : copies) {
        if (copy.record->dataInFile > 0) {
            withData.push_back(copy);
        }
    }
    if (withData.size() < kFewestVoters) {
        merged.fate = RecordFate::DamagedEverywhere;
        merged.source = copies[0].dump;
        return;
    }
    std::vector<std::vector<std::uint8_t>> data;
    for (const Copy& copy : withData) {
        data.push_back(dataOf(reader, copy));
    }
    merged.fate = RecordFate::Voted;
    merged.source = withData[0].dump;
    merged.voted = voteBytes(data);
}

MergedRecord mergeRecord(const d88::SectorHeader& id,
                         const std::vector<const d88info::TrackRecords*>& tracks,
                         CopyReader& reader) {
    MergedRecord merged;
    std::vector<Copy> copies;
    std::vector<Copy> good;
    for (std::size_t dump = 0; dump < tracks.size(); ++dump) {
        const int d = static_cast<int>(dump);
        const std::vector<d88::TrackRecord>& records = tracks[dump]->records;
        const auto found =
            std::find_if(records.begin(), records.end(),
                         [&](const d88::TrackRecord& r) { return sameId(r.header, id); });
        if (found == records.end()) {
            merged.missingIn.push_back(d);
            continue;
        }
        copies.push_back({d, &*found});
        if (isGoodCopy(*found)) {
            good.push_back({d, &*found});
        } else {
            merged.damagedIn.push_back(d);
        }
    }
    if (!good.empty()) {
        chooseAmongGood(good, reader, merged);
    } else {
        chooseAmongDamaged(copies, reader, merged);
    }
    for (const Copy& copy : copies) {
        if (copy.dump == merged.source) {
            merged.copy = *copy.record;
            merged.header = copy.record->header;
        }
    }
    return merged;
}

MergedTrack takeWhole(int index, const d88info::TrackRecords& track, int source) {
    MergedTrack merged;
    merged.index = index;
    merged.ambiguous = true;
    merged.source = source;
    for (const d88::TrackRecord& record : track.records) {
        MergedRecord taken;
        taken.header = record.header;
        taken.source = source;
        taken.copy = record;
        taken.fate = isGoodCopy(record) ? RecordFate::Alike : RecordFate::DamagedEverywhere;
        merged.records.push_back(std::move(taken));
    }
    return merged;
}

}  // namespace

bool isGoodCopy(const d88::TrackRecord& record) {
    const d88::SectorHeader& h = record.header;
    if (h.status != kNormal && h.status != kNormalDeleted) {
        return false;
    }
    return h.n <= kLargestSizeCode && h.dataLength == (std::int64_t{128} << h.n) &&
           record.dataInFile == h.dataLength;
}

MergedTrack mergeTrack(int index, const std::vector<const d88info::TrackRecords*>& tracks,
                       CopyReader& reader) {
    const int best = bestDump(tracks);
    if (std::any_of(tracks.begin(), tracks.end(),
                    [](const d88info::TrackRecords* track) { return holdsAnIdTwice(*track); })) {
        return takeWhole(index, *tracks[best], best);
    }
    MergedTrack merged;
    merged.index = index;
    merged.source = best;
    for (const d88::SectorHeader& id : idsInOrder(tracks, best)) {
        merged.records.push_back(mergeRecord(id, tracks, reader));
    }
    return merged;
}

}  // namespace d88merge
