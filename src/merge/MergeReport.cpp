#include "MergeReport.h"

#include <cstdarg>
#include <cstdio>

#include "info/PictureWords.h"

namespace d88merge {

namespace {

// The report's words in one language.
struct Words {
    const char* image;        // "image 1: %s, %d disk(s)"
    const char* disksWord;    // " disk" / " disks" (English plural by count)
    const char* diskHeading;  // "disk %d: %s, %d dump(s): "
    const char* noKind;       // a disk of no kind of the set
    const char* memberOf;     // "%s disk %d"
    const char* listSeparator;
    const char* byPlace;         // "%s disk %d joined by its place: its probe sectors name no kind"
    const char* ambiguousDisk;   // "%s disk %d: its place fits more than one kind; taken alone"
    const char* records;         // the counts
    const char* conflict;        // "conflict: %s: taken from %s; %s differ(s)"
    const char* voted;           // "voted: %s (%s kept)"
    const char* damaged;         // "damaged in every dump: %s (%s)"
    const char* missing;         // "missing from every dump: %s"
    const char* ambiguousTrack;  // "ambiguous: track %d holds an ID twice; taken whole from %s"
    const char* tooLarge;
    const char* files;
    const char* wholeEverywhere;
    const char* wholeNow;      // "%s: whole now; "
    const char* stillDamaged;  // "%s: still damaged: %s %s%s"
    const char* stillPartly;   // "%s: still cut short at %s: %s"
    const char* stillMissing;  // "%s: still missing: %s %s"
    const char* inEveryDump;
    const char* votedWord;
    const char* conflictWord;
    const char* missingEverywhere;
    const char* dumpWhole;    // "whole in %s"
    const char* dumpDamaged;  // "damaged in %s (%s %s)"
    const char* dumpPartly;   // "cut short in %s (at %s, %s)"
    const char* dumpMissing;  // "missing in %s"
    const char* dumpNotCut;   // "not cut from %s"
    const char* notThere;     // "not there"
    const char* readAgain;    // "read again: "
    const char* trackAt;      // "track %d (C%d H%d)"
    const char*
        summary;  // "merged %d disk(s) from %d images: %d files whole, %d not whole, %d conflicts"
    const char* writtenTo;  // "; written to %s"
    const char* nothingWritten;
};

constexpr Words kEnglish = {
    "image %d: %s, %d disk%s",
    "s",
    "disk %d: %s, %d dump%s: ",
    "no disk of the set",
    "%s disk %d",
    ", ",
    "  %s disk %d joined by its place: its probe sectors name no kind",
    "  %s disk %d: its place fits more than one kind; taken alone",
    "  records: %d alike in every dump, %d repaired, %d conflicts, %d voted, "
    "%d damaged in every dump, %d missing from every dump",
    "  conflict: %s: taken from %s; %s differs",
    "  voted: %s (%s kept)",
    "  damaged in every dump: %s (%s)",
    "  missing from every dump: %s",
    "  ambiguous: track %d holds an ID twice; taken whole from %s",
    "  refused: its records would make a disk of more than 16 MiB; not written",
    "  files:",
    "    %s: whole in every dump",
    "    %s: whole now; ",
    "    %s: still damaged: %s %s%s",
    "    %s: still cut short at %s: %s",
    "    %s: still missing: %s %s",
    " in every dump",
    " (voted)",
    " (a conflict)",
    "missing from every dump",
    "whole in %s",
    "damaged in %s (%s %s)",
    "cut short in %s (at %s, %s)",
    "missing in %s",
    "not cut from %s",
    "not there",
    "  read again: ",
    "track %d (C%d H%d)",
    "merged %d disk%s from %d images: %d files whole, %d not whole, %d conflicts",
    "; written to %s",
    "; nothing written",
};

constexpr Words kJapanese = {
    "イメージ %d: %s、ディスク %d 枚%s",
    "",
    "ディスク %d: %s。%d 回の読み取り%s: ",
    "セットのディスクではありません",
    "%s のディスク %d",
    "、",
    "  %s のディスク %d は判別用セクタから種類がわからないため、位置でつなぎました",
    "  %s のディスク %d は位置から種類が 1 つに決まらないため、単独で取りました",
    "  レコード: すべてで同一 %d、修復 %d、食い違い %d、多数決 %d、すべてで損傷 %d、"
    "すべてで欠落 %d",
    "  食い違い: %s。%s のものを採用 (%s は異なる)",
    "  多数決: %s (%s のまま)",
    "  すべてで損傷: %s (%s)",
    "  すべてで欠落: %s",
    "  あいまい: トラック %d に同じ ID が 2 つあるため、%s のトラックをそのまま採用",
    "  統合すると 16 MiB を超えるディスクになるため、書き込みません",
    "  ファイル:",
    "    %s: すべての読み取りで完全",
    "    %s: 統合で完全になりました。",
    "    %s: まだ損傷: %s %s%s",
    "    %s: まだ途中まで: %s で止まります (%s)",
    "    %s: まだ欠落: %s %s",
    " (すべての読み取りで)",
    " (多数決)",
    " (食い違い)",
    "すべての読み取りで欠落",
    "%s では完全",
    "%s では損傷 (%s %s)",
    "%s では途中まで (%s、%s)",
    "%s では欠落",
    "%s からは切り出せません",
    "なし",
    "  読み直すとよいトラック: ",
    "トラック %d (C%d H%d)",
    "統合: ディスク %d 枚%s、イメージ %d 個から。完全なファイル %d、完全でないファイル "
    "%d、食い違い %d",
    "。%s に書き込みました",
    "。何も書き込んでいません",
};

std::string format(const char* pattern, ...) {
    char buffer[1024];
    va_list args;
    va_start(args, pattern);
    std::vsnprintf(buffer, sizeof buffer, pattern, args);
    va_end(args);
    return buffer;
}

// English plurals by count; Japanese has none.
const char* plural(const Words& w, long long count) {
    return count == 1 ? "" : w.disksWord;
}

std::string sectorText(const d88::SectorHeader& s) {
    return format("C%d H%d R%d N%d", s.c, s.h, s.r, s.n);
}

std::string trackSector(int track, const d88::SectorHeader& s, bool japanese) {
    return format(japanese ? "トラック %d %s" : "track %d %s", track, sectorText(s).c_str());
}

std::string dumpList(const MergeRun& run, const DiskMerge& disk, const std::vector<int>& members,
                     const Words& w) {
    std::string list;
    for (const int member : members) {
        const GroupMember& m = disk.group.members[static_cast<std::size_t>(member)];
        list += (list.empty() ? "" : w.listSeparator) +
                run.dumps[static_cast<std::size_t>(m.image)].label;
    }
    return list;
}

std::string dumpState(const Words& w, const d88info::PictureWords& words, const std::string& label,
                      const FileFate& fate) {
    switch (fate.state) {
        case FileState::Whole:
            return format(w.dumpWhole, label.c_str());
        case FileState::Damaged:
            return format(w.dumpDamaged, label.c_str(), sectorText(fate.sector).c_str(),
                          words.status(fate.sector.status).c_str());
        case FileState::Partly:
            return format(w.dumpPartly, label.c_str(), sectorText(fate.sector).c_str(),
                          fate.sectorFound ? words.status(fate.sector.status).c_str() : w.notThere);
        case FileState::Missing:
            return format(w.dumpMissing, label.c_str());
        case FileState::NotCut:
            break;
    }
    return format(w.dumpNotCut, label.c_str());
}

std::string fateWord(const Words& w, const std::optional<RecordFate>& fate) {
    if (!fate) {
        return "";
    }
    switch (*fate) {
        case RecordFate::Voted:
            return w.votedWord;
        case RecordFate::Conflict:
            return w.conflictWord;
        case RecordFate::DamagedEverywhere:
            return w.inEveryDump;
        case RecordFate::Alike:
        case RecordFate::Repaired:
            break;
    }
    return "";
}

std::string fileLine(const MergeRun& run, const DiskMerge& disk, const FileMerge& file,
                     const Words& w, const d88info::PictureWords& words) {
    const FileFate& merged = file.merged;
    const char* name = merged.name.c_str();
    switch (merged.state) {
        case FileState::Whole: {
            bool everywhere = true;
            std::string states;
            for (std::size_t i = 0; i < file.dumps.size(); ++i) {
                everywhere = everywhere && file.dumps[i].state == FileState::Whole;
                const std::string& label =
                    run.dumps[static_cast<std::size_t>(disk.group.members[i].image)].label;
                states +=
                    (i == 0 ? "" : w.listSeparator) + dumpState(w, words, label, file.dumps[i]);
            }
            return everywhere ? format(w.wholeEverywhere, name) : format(w.wholeNow, name) + states;
        }
        case FileState::Damaged:
            return format(w.stillDamaged, name, sectorText(merged.sector).c_str(),
                          words.status(merged.sector.status).c_str(),
                          fateWord(w, file.sectorFate).c_str());
        case FileState::Partly:
            return format(w.stillPartly, name, sectorText(merged.sector).c_str(),
                          merged.sectorFound ? words.status(merged.sector.status).c_str()
                                             : w.missingEverywhere);
        case FileState::Missing:
        case FileState::NotCut:
            break;
    }
    return format(w.stillMissing, name, sectorText(merged.sector).c_str(), w.missingEverywhere);
}

std::string kindName(const DiskMerge& disk, const Words& w) {
    return disk.group.kind ? d88cut::kindInfo(*disk.group.kind).name : w.noKind;
}

void recordLines(const MergeRun& run, const DiskMerge& disk, const Words& w,
                 const d88info::PictureWords& words, bool japanese,
                 std::vector<std::string>& lines) {
    for (const MergedTrack& track : disk.tracks) {
        if (track.ambiguous) {
            const GroupMember& from = disk.group.members[static_cast<std::size_t>(track.source)];
            lines.push_back(format(w.ambiguousTrack, track.index,
                                   run.dumps[static_cast<std::size_t>(from.image)].label.c_str()));
            continue;
        }
        for (const MergedRecord& record : track.records) {
            const std::string where = trackSector(track.index, record.header, japanese);
            const std::string status = words.status(record.header.status);
            if (record.fate == RecordFate::Conflict) {
                std::vector<int> others;
                for (std::size_t side = 1; side < record.sides.size(); ++side) {
                    others.insert(others.end(), record.sides[side].begin(),
                                  record.sides[side].end());
                }
                lines.push_back(format(w.conflict, where.c_str(),
                                       dumpList(run, disk, record.sides[0], w).c_str(),
                                       dumpList(run, disk, others, w).c_str()));
            } else if (record.fate == RecordFate::Voted) {
                lines.push_back(format(w.voted, where.c_str(), status.c_str()));
            } else if (record.fate == RecordFate::DamagedEverywhere) {
                lines.push_back(format(w.damaged, where.c_str(), status.c_str()));
            }
        }
    }
    for (const FileFate& sector : disk.missing) {
        lines.push_back(
            format(w.missing, trackSector(sector.track, sector.sector, japanese).c_str()));
    }
}

void diskLines(const MergeRun& run, int number, const DiskMerge& disk, bool japanese,
               std::vector<std::string>& lines) {
    const Words& w = japanese ? kJapanese : kEnglish;
    const d88info::PictureWords words(japanese ? d88info::PictureLanguage::Japanese
                                               : d88info::PictureLanguage::English);
    const long long dumps = static_cast<long long>(disk.group.members.size());
    std::string heading = format(w.diskHeading, number, kindName(disk, w).c_str(),
                                 static_cast<int>(dumps), plural(w, dumps));
    for (std::size_t i = 0; i < disk.group.members.size(); ++i) {
        const GroupMember& m = disk.group.members[i];
        heading +=
            (i == 0 ? "" : w.listSeparator) +
            format(w.memberOf, run.dumps[static_cast<std::size_t>(m.image)].label.c_str(), m.disk);
    }
    lines.push_back(heading);
    for (const GroupMember& m : disk.group.members) {
        const char* label = run.dumps[static_cast<std::size_t>(m.image)].label.c_str();
        if (m.how == JoinedBy::Place) {
            lines.push_back(format(w.byPlace, label, m.disk));
        } else if (m.how == JoinedBy::Ambiguous) {
            lines.push_back(format(w.ambiguousDisk, label, m.disk));
        }
    }
    if (disk.tooLarge) {
        lines.push_back(w.tooLarge);
        return;
    }
    const int* n = disk.counts;
    lines.push_back(format(
        w.records, n[static_cast<int>(RecordFate::Alike)],
        n[static_cast<int>(RecordFate::Repaired)], n[static_cast<int>(RecordFate::Conflict)],
        n[static_cast<int>(RecordFate::Voted)], n[static_cast<int>(RecordFate::DamagedEverywhere)],
        static_cast<int>(disk.missing.size())));
    recordLines(run, disk, w, words, japanese, lines);
    if (!disk.files.empty()) {
        lines.push_back(w.files);
        for (const FileMerge& file : disk.files) {
            lines.push_back(fileLine(run, disk, file, w, words));
        }
    }
    if (!disk.readAgain.empty()) {
        std::string again = w.readAgain;
        for (std::size_t i = 0; i < disk.readAgain.size(); ++i) {
            const int t = disk.readAgain[i];
            again += (i == 0 ? "" : w.listSeparator) + format(w.trackAt, t, t / 2, t % 2);
        }
        lines.push_back(again);
    }
}

}  // namespace

int mergeStatus(const MergeRun& run) {
    for (const DiskMerge& disk : run.disks) {
        if (!disk.whole()) {
            return 2;
        }
    }
    return 0;
}

std::vector<std::string> reportLines(const MergeRun& run, bool japanese) {
    const Words& w = japanese ? kJapanese : kEnglish;
    std::vector<std::string> lines;
    for (std::size_t i = 0; i < run.dumps.size(); ++i) {
        const int disks = run.dumps[i].image->diskCount();
        lines.push_back(format(w.image, static_cast<int>(i + 1), run.dumps[i].path.c_str(), disks,
                               plural(w, disks)));
    }
    int whole = 0;
    int notWhole = 0;
    int conflicts = 0;
    for (std::size_t i = 0; i < run.disks.size(); ++i) {
        lines.push_back("");
        diskLines(run, static_cast<int>(i), run.disks[i], japanese, lines);
        for (const FileMerge& file : run.disks[i].files) {
            (file.merged.state == FileState::Whole ? whole : notWhole) += 1;
        }
        conflicts += run.disks[i].counts[static_cast<int>(RecordFate::Conflict)];
    }
    lines.push_back("");
    const long long disks = static_cast<long long>(run.disks.size());
    std::string summary = format(w.summary, static_cast<int>(disks), plural(w, disks),
                                 static_cast<int>(run.dumps.size()), whole, notWhole, conflicts);
    summary += run.written ? format(w.writtenTo, run.output) : std::string(w.nothingWritten);
    lines.push_back(summary);
    return lines;
}

}  // namespace d88merge
