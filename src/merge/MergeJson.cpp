// d88merge --json: the report as one JSON document, for the page and for
// scripts. Every string is valid UTF-8: a byte of a path that is none is
// given as U+FFFD.
#include <cstdio>
#include <string>

#include "MergeReport.h"
#include "info/JsonText.h"
#include "info/RecordStatus.h"

namespace d88merge {

using d88info::jsonString;

namespace {

std::string n(long long value) {
    return std::to_string(value);
}

template <typename T, typename F>
std::string array(const std::vector<T>& items, F member) {
    std::string text = "[";
    for (std::size_t i = 0; i < items.size(); ++i) {
        text += (i == 0 ? "" : ", ") + member(items[i]);
    }
    return text + "]";
}

std::string sectorJson(int track, const d88::SectorHeader& s) {
    return "{\"track\": " + n(track) + ", \"c\": " + n(s.c) + ", \"h\": " + n(s.h) +
           ", \"r\": " + n(s.r) + ", \"n\": " + n(s.n);
}

const char* joinedWord(JoinedBy how) {
    switch (how) {
        case JoinedBy::OnlyDisk:
            return "only disk";
        case JoinedBy::Kind:
            return "kind";
        case JoinedBy::Place:
            return "place";
        case JoinedBy::NoKind:
            return "no kind";
        case JoinedBy::Ambiguous:
            break;
    }
    return "ambiguous";
}

const char* stateWord(FileState state) {
    switch (state) {
        case FileState::Whole:
            return "whole";
        case FileState::Damaged:
            return "damaged";
        case FileState::Partly:
            return "partly";
        case FileState::Missing:
            return "missing";
        case FileState::NotCut:
            break;
    }
    return "not cut";
}

const char* fateWord(RecordFate fate) {
    switch (fate) {
        case RecordFate::Alike:
            return "alike";
        case RecordFate::Repaired:
            return "repaired";
        case RecordFate::Conflict:
            return "conflict";
        case RecordFate::Voted:
            return "voted";
        case RecordFate::DamagedEverywhere:
            break;
    }
    return "damaged in every dump";
}

// A list of group members as the images' indexes.
std::string imagesOf(const DiskMerge& disk, const std::vector<int>& members) {
    return array(members, [&](int member) {
        return n(disk.group.members[static_cast<std::size_t>(member)].image);
    });
}

std::string recordsOf(const DiskMerge& disk, RecordFate fate) {
    std::string text = "[";
    for (const MergedTrack& track : disk.tracks) {
        for (const MergedRecord& record : track.records) {
            if (record.fate != fate || track.ambiguous) {
                continue;
            }
            text += (text.size() > 1 ? ", " : "") + sectorJson(track.index, record.header) +
                    ", \"status\": " + jsonString(d88info::statusText(record.header.status));
            if (fate == RecordFate::Conflict) {
                text += ", \"sides\": " + array(record.sides, [&](const std::vector<int>& side) {
                            return imagesOf(disk, side);
                        });
            }
            text += "}";
        }
    }
    return text + "]";
}

std::string fateOfFile(const FileFate& fate) {
    std::string text = "{\"state\": " + jsonString(stateWord(fate.state));
    if (fate.hasSector) {
        text += ", \"sector\": " + sectorJson(fate.track, fate.sector) +
                ", \"found\": " + (fate.sectorFound ? "true" : "false") +
                (fate.sectorFound
                     ? ", \"status\": " + jsonString(d88info::statusText(fate.sector.status))
                     : "") +
                "}";
    }
    return text + "}";
}

std::string fileJson(const FileMerge& file) {
    return "{\"name\": " + jsonString(file.merged.name) +
           ", \"merged\": " + fateOfFile(file.merged) +
           ", \"record\": " + (file.sectorFate ? jsonString(fateWord(*file.sectorFate)) : "null") +
           ", \"dumps\": " + array(file.dumps, fateOfFile) + "}";
}

std::string diskJson(const DiskMerge& disk) {
    const int* c = disk.counts;
    std::string ambiguous = "[";
    for (const MergedTrack& track : disk.tracks) {
        if (track.ambiguous) {
            ambiguous += (ambiguous.size() > 1 ? ", " : "") + std::string("{\"track\": ") +
                         n(track.index) + ", \"from\": " +
                         n(disk.group.members[static_cast<std::size_t>(track.source)].image) + "}";
        }
    }
    ambiguous += "]";
    return "{\"kind\": " +
           (disk.group.kind ? jsonString(d88cut::kindInfo(*disk.group.kind).name) : "null") +
           ", \"members\": " +
           array(disk.group.members,
                 [](const GroupMember& m) {
                     return "{\"image\": " + n(m.image) + ", \"disk\": " + n(m.disk) +
                            ", \"joined\": " + jsonString(joinedWord(m.how)) + "}";
                 }) +
           ", \"tooLarge\": " + (disk.tooLarge ? "true" : "false") + ", \"size\": " + n(disk.size) +
           ", \"records\": {\"alike\": " + n(c[static_cast<int>(RecordFate::Alike)]) +
           ", \"repaired\": " + n(c[static_cast<int>(RecordFate::Repaired)]) +
           ", \"conflicts\": " + n(c[static_cast<int>(RecordFate::Conflict)]) +
           ", \"voted\": " + n(c[static_cast<int>(RecordFate::Voted)]) +
           ", \"damaged\": " + n(c[static_cast<int>(RecordFate::DamagedEverywhere)]) +
           ", \"missing\": " + n(static_cast<long long>(disk.missing.size())) + "}" +
           ", \"conflicts\": " + recordsOf(disk, RecordFate::Conflict) +
           ", \"voted\": " + recordsOf(disk, RecordFate::Voted) +
           ", \"damaged\": " + recordsOf(disk, RecordFate::DamagedEverywhere) + ", \"missing\": " +
           array(disk.missing,
                 [](const FileFate& f) { return sectorJson(f.track, f.sector) + "}"; }) +
           ", \"ambiguousTracks\": " + ambiguous + ", \"files\": " + array(disk.files, fileJson) +
           ", \"readAgain\": " + array(disk.readAgain, [](int t) { return n(t); }) + "}";
}

}  // namespace

void printReportJson(std::FILE* out, const MergeRun& run, int status) {
    int whole = 0;
    int notWhole = 0;
    for (const DiskMerge& disk : run.disks) {
        for (const FileMerge& file : disk.files) {
            (file.merged.state == FileState::Whole ? whole : notWhole) += 1;
        }
    }
    const std::string images = array(run.dumps, [](const DumpImage& dump) {
        return "{\"path\": " + jsonString(dump.path) +
               ", \"disks\": " + n(dump.image->diskCount()) + "}";
    });
    std::fprintf(out, "{\"images\": %s,\n \"disks\": [", images.c_str());
    for (std::size_t i = 0; i < run.disks.size(); ++i) {
        std::fprintf(out, "%s\n  %s", i == 0 ? "" : ",", diskJson(run.disks[i]).c_str());
    }
    std::fprintf(out,
                 "],\n \"summary\": {\"disks\": %d, \"filesWhole\": %d, \"filesNotWhole\": %d, "
                 "\"output\": %s, \"written\": %s},\n \"status\": %d}\n",
                 static_cast<int>(run.disks.size()), whole, notWhole,
                 run.output != nullptr ? jsonString(run.output).c_str() : "null",
                 run.written ? "true" : "false", status);
}

}  // namespace d88merge
