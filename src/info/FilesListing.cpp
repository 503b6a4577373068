#include "FilesListing.h"

#include <string>
#include <utility>
#include <vector>

#include "DiskSummary.h"
#include "RecordStatus.h"
#include "diskset/DiskKind.h"

namespace d88info {

namespace {

std::string format(const char* pattern, long long a = 0, long long b = 0, long long c = 0,
                   long long d = 0, long long e = 0) {
    char text[160];
    std::snprintf(text, sizeof text, pattern, a, b, c, d, e);
    return text;
}

const char* plural(long long count) {
    return count == 1 ? "" : "s";
}

// "C17 H0 R1 N3 on track 34".
std::string sectorName(const d88::D88Image::SectorRequest& sector) {
    return format("C%lld H%lld R%lld N%lld on track %lld", sector.c, sector.h, sector.r, sector.n,
                  sector.track);
}

// "C17 H0 R1 N3 on track 34 is not there", or "... gives only 700 of 1024 bytes".
std::string unreadText(const UnreadSector& unread) {
    const std::string name = sectorName(unread.sector);
    if (!unread.found) {
        return name + " is not there";
    }
    return name + format(" gives only %lld of %lld bytes", unread.delivered, unread.sector.length);
}

// "C16 H1 R2 N3 (data CRC error)", "C20 H0 R4 N3 (normal, deleted mark)".
std::string damagedText(const MarkedRecord& record) {
    const d88::SectorHeader& h = record.header;
    std::string text =
        format("C%lld H%lld R%lld N%lld (", h.c, h.h, h.r, h.n) + statusText(h.status);
    if (h.deleted != 0) {
        const std::string mark = deletedText(h.deleted);
        text += mark == "deleted" ? ", deleted mark" : ", mark " + mark;
    }
    return text + ")";
}

std::string damagedList(const FileFate& file) {
    std::string text;
    for (const MarkedRecord& record : file.markedRecords()) {
        text += (text.empty() ? "" : ", ") + damagedText(record);
    }
    return text;
}

// "zero from byte 2048 on", or "zero at bytes 1024-2047 and 4096-5119".
std::string zeroText(const FileFate& file) {
    std::vector<std::pair<long long, long long>> ranges;
    for (const PieceRead& piece : file.piecesRead()) {
        if (piece.bytesRead < piece.length) {
            ranges.emplace_back(piece.offset + piece.bytesRead, piece.offset + piece.length - 1LL);
        }
    }
    if (ranges.size() == 1 && ranges[0].second == file.file.length() - 1LL) {
        return format("zero from byte %lld on", ranges[0].first);
    }
    std::string text = "zero at bytes";
    for (std::size_t i = 0; i < ranges.size(); ++i) {
        text += (i == 0 ? " " : " and ") + format("%lld-%lld", ranges[i].first, ranges[i].second);
    }
    return text;
}

// Why the runs stopped: "C17 H1 R2 N3 on track 35 is not there and ...".
std::string stopsText(const FileFate& file) {
    std::string text;
    for (const PieceRead& piece : file.piecesRead()) {
        if (piece.stopped) {
            text += (text.empty() ? "" : " and ") + unreadText(piece.stop);
        }
    }
    return text;
}

std::string fileText(const FileFate& file) {
    const long long length = file.file.length();
    std::string text;
    switch (file.written) {
        case Written::Missing:
            return "not written, as " + stopsText(file);
        case Written::Whole:
            text = format("%lld bytes, whole", length);
            break;
        case Written::Damaged:
            text = format("%lld bytes, whole, from damaged records: ", length) + damagedList(file);
            break;
        case Written::Partly:
            text = format("%lld bytes, partly read: %lld bytes read, ", length, file.bytesRead()) +
                   zeroText(file) + ", as " + stopsText(file);
            if (file.fromMarkedRecords()) {
                text += "; from damaged records: " + damagedList(file);
            }
            break;
    }
    if (file.replacedBy >= 0) {
        text += format("; replaced by disk %lld's file of that name", file.replacedBy);
    }
    return text;
}

// What d88cut makes of the disk, after its heading.
std::string verdictText(const DiskOutcome& disk, const CutChoice& choice) {
    const d88cut::Identification& chosen = disk.chosen;
    if (chosen.verdict == d88cut::Verdict::Unsupported) {
        return "passed over: none of the probe sectors is on track 1 (unsupported format)";
    }
    if (chosen.verdict == d88cut::Verdict::UnknownSum) {
        const d88cut::ProbeSector& probe = d88cut::kIdentificationStages[chosen.stage].probe;
        return format(
            "passed over: the first 256 bytes of R%lld N%lld on track 1 sum to %lld, "
            "no disk's of the set",
            probe.r, probe.n, chosen.sum);
    }
    const d88cut::DiskKindInfo& kind = d88cut::kindInfo(*chosen.kind);
    std::string text = kind.name;
    if (disk.forced(choice)) {
        text += format(", taken as disk %lld as chosen (its probe sectors alone: ", choice.diskNo) +
                kindText(disk.byProbes) + ")";
    } else if (choice.diskNo == kind.number) {
        text += ", the disk chosen";
    } else if (choice.diskNo != 0) {
        text += format(", though disk %lld was chosen: its probe sector says ", choice.diskNo) +
                kind.name;
    }
    if (kind.cuts == nullptr) {
        text += ", nothing to cut";
    }
    return text;
}

void printDisk(std::FILE* out, const DiskOutcome& disk, const CutChoice& choice,
               const NameForm& nameForm) {
    std::fprintf(out, "\ndisk %d at offset 0x%08llX ", disk.index,
                 static_cast<unsigned long long>(disk.start));
    if (!disk.headerRead) {
        std::fprintf(out, "(header cannot be read): %s\n", verdictText(disk, choice).c_str());
        return;
    }
    std::fputc('"', out);
    printName(out, nameForm, disk.header.name);
    std::fprintf(out, "\": %s\n", verdictText(disk, choice).c_str());
    if (!disk.headerDoubts.empty()) {
        std::string doubts;
        for (const std::string& doubt : disk.headerDoubts) {
            doubts += (doubts.empty() ? "" : "; ") + doubt;
        }
        std::fprintf(out, "  header: %s\n", doubts.c_str());
    }
    for (const FileFate& file : disk.files) {
        std::fprintf(out, "  %-8s  %s\n", file.file.name, fileText(file).c_str());
    }
}

std::string choiceText(const CutChoice& choice) {
    if (choice.diskNo != 0) {
        return "the first disk only, as disk " + std::to_string(choice.diskNo);
    }
    return choice.opFlag ? "every disk, with OPDEMO and G_TITLE (-op)" : "every disk";
}

void printImage(std::FILE* out, const ImageOutcome& image) {
    std::fprintf(out, "image: %lld bytes", static_cast<long long>(image.fileSize()));
    if (image.fileSize() == 0) {
        std::fputs(": empty\n", out);
    } else if (image.diskCount() == 0) {
        std::fprintf(out, ": too short to be a D88 image (a disk header is %zu bytes)\n",
                     d88::DiskHeader::kSize);
    } else {
        std::fprintf(out, ", %d disk%s", image.diskCount(), plural(image.diskCount()));
        if (!image.looksLikeD88()) {
            std::fputs(": not a D88 image (no disk header in it makes sense)\n", out);
        } else if (image.survey.disksOfTheSet == 0) {
            std::fputs(", none of them a disk of the set\n", out);
        } else {
            std::fprintf(out, ", %d of them of the set\n", image.survey.disksOfTheSet);
        }
    }
    std::fprintf(out, "cut: %s\n", choiceText(image.choice).c_str());
}

}  // namespace

void printFilesListing(std::FILE* out, const ImageOutcome& image, const NameForm& nameForm) {
    printImage(out, image);
    for (const DiskOutcome& disk : image.disks) {
        printDisk(out, disk, image.choice, nameForm);
    }
    const int* n = image.counts;
    std::fprintf(out,
                 "\nfiles: %d whole, %d with damaged records, %d partly read, %d not on the "
                 "image, %d replaced by a later disk's\n",
                 n[static_cast<int>(Outcome::Whole)], n[static_cast<int>(Outcome::Damaged)],
                 n[static_cast<int>(Outcome::Partly)], n[static_cast<int>(Outcome::Missing)],
                 n[static_cast<int>(Outcome::Replaced)]);
}

}  // namespace d88info
