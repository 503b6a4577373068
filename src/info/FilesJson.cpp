// d88info --files --json: the outcomes of FileOutcomes as one JSON document,
// for the page and for scripts. Every string is valid UTF-8: a disk name that
// is Shift_JIS text is given decoded, any other as its bytes.
#include <cstring>
#include <string>

#include "DiskName.h"
#include "FilesListing.h"
#include "HeaderDoubts.h"
#include "JsonText.h"
#include "RecordStatus.h"
#include "diskset/DiskKind.h"

namespace d88info {

namespace {

std::string number(long long value) {
    return std::to_string(value);
}

// "name": the decoded text, or "nameBytes": [ ... ] when it is no Shift_JIS text.
std::string nameMember(const char* name) {
    std::string text;
    if (decodeName(name, text)) {
        return "\"name\": " + jsonString(text);
    }
    std::string bytes = "\"nameBytes\": [";
    for (std::size_t i = 0; name[i] != '\0'; ++i) {
        bytes += (i == 0 ? "" : ", ") + number(static_cast<unsigned char>(name[i]));
    }
    return bytes + "]";
}

const char* writtenWord(Written written) {
    switch (written) {
        case Written::Whole:
            return "whole";
        case Written::Damaged:
            return "damaged";
        case Written::Partly:
            return "partly";
        case Written::Missing:
            break;
    }
    return "missing";
}

const char* outcomeWord(Outcome outcome) {
    return outcome == Outcome::Replaced  ? "replaced"
           : outcome == Outcome::Whole   ? "whole"
           : outcome == Outcome::Damaged ? "damaged"
           : outcome == Outcome::Partly  ? "partly"
                                         : "missing";
}

std::string sectorMembers(const d88::D88Image::SectorRequest& s) {
    return "\"track\": " + number(s.track) + ", \"c\": " + number(s.c) + ", \"h\": " + number(s.h) +
           ", \"r\": " + number(s.r) + ", \"n\": " + number(s.n);
}

std::string unreadJson(const UnreadSector& unread) {
    return "{" + sectorMembers(unread.sector) +
           ", \"found\": " + (unread.found ? "true" : "false") +
           ", \"delivered\": " + number(unread.delivered) +
           ", \"asked\": " + number(unread.sector.length) + "}";
}

std::string damagedJson(const MarkedRecord& record) {
    const d88::SectorHeader& h = record.header;
    return "{\"track\": " + number(record.track) + ", \"c\": " + number(h.c) +
           ", \"h\": " + number(h.h) + ", \"r\": " + number(h.r) + ", \"n\": " + number(h.n) +
           ", \"mark\": " + jsonString(deletedText(h.deleted)) +
           ", \"status\": " + jsonString(statusText(h.status)) +
           ", \"markByte\": " + number(h.deleted) + ", \"statusByte\": " + number(h.status) + "}";
}

std::string fileJson(const FileFate& file) {
    std::string zero;
    std::string unread;
    for (const PieceRead& piece : file.piecesRead()) {
        if (file.written != Written::Missing && piece.bytesRead < piece.length) {
            zero += (zero.empty() ? "[" : ", [") + number(piece.offset + piece.bytesRead) + ", " +
                    number(piece.offset + piece.length) + "]";
        }
        if (piece.stopped) {
            unread += (unread.empty() ? "" : ", ") + unreadJson(piece.stop);
        }
    }
    std::string damaged;
    for (const MarkedRecord& record : file.markedRecords()) {
        damaged += (damaged.empty() ? "" : ", ") + damagedJson(record);
    }
    return "{\"name\": " + jsonString(file.file.name) +
           ", \"length\": " + number(file.file.length()) + ", \"written\": \"" +
           writtenWord(file.written) + "\", \"outcome\": \"" + outcomeWord(file.outcome()) +
           "\", \"bytesRead\": " + number(file.bytesRead()) + ", \"zeroRanges\": [" + zero +
           "], \"unread\": [" + unread + "], \"damaged\": [" + damaged +
           "], \"replacedBy\": " + (file.replacedBy >= 0 ? number(file.replacedBy) : "null") +
           ", \"onlyWithOp\": " + (file.file.onlyWithOp ? "true" : "false") + "}";
}

const char* verdictWord(d88cut::Verdict verdict) {
    switch (verdict) {
        case d88cut::Verdict::Recognised:
            return "recognised";
        case d88cut::Verdict::UnknownSum:
            return "unknown sum";
        case d88cut::Verdict::Unsupported:
            break;
    }
    return "unsupported";
}

std::string kindJson(const d88cut::Identification& identification) {
    return identification.kind ? jsonString(d88cut::kindInfo(*identification.kind).name) : "null";
}

std::string probeJson(const d88cut::Identification& identification) {
    if (identification.stage < 0) {
        return "null";
    }
    const d88cut::ProbeSector& probe = d88cut::kIdentificationStages[identification.stage].probe;
    return "{\"r\": " + number(probe.r) + ", \"n\": " + number(probe.n) +
           ", \"sum\": " + number(identification.sum) + "}";
}

void printDisk(std::FILE* out, const DiskOutcome& disk, const CutChoice& choice, bool last) {
    std::string doubts;
    // In English and with plain numbers, as every value of the document is.
    const std::vector<std::string> headerDoubtList =
        disk.headerRead ? headerDoubts(disk.headerFindings, disk.header.media,
                                       FilesWords(Language::English, false))
                        : std::vector<std::string>{};
    for (const std::string& doubt : headerDoubtList) {
        doubts += (doubts.empty() ? "" : ", ") + jsonString(doubt);
    }
    const d88cut::Identification& chosen = disk.chosen;
    const bool hasFiles = chosen.kind && d88cut::kindInfo(*chosen.kind).cuts != nullptr;
    std::fprintf(
        out,
        "    {\"index\": %d, \"offset\": %lld, \"headerRead\": %s, %s, \"headerDoubts\": [%s],\n"
        "     \"verdict\": \"%s\", \"kind\": %s, \"number\": %s, \"byProbes\": %s, "
        "\"forced\": %s, \"probe\": %s, \"hasFiles\": %s,\n"
        "     \"files\": [",
        disk.index, static_cast<long long>(disk.start), disk.headerRead ? "true" : "false",
        nameMember(disk.header.name).c_str(), doubts.c_str(), verdictWord(chosen.verdict),
        kindJson(chosen).c_str(),
        chosen.kind ? number(d88cut::kindInfo(*chosen.kind).number).c_str() : "null",
        kindJson(disk.byProbes).c_str(), disk.forced(choice) ? "true" : "false",
        probeJson(chosen).c_str(), hasFiles ? "true" : "false");
    for (std::size_t i = 0; i < disk.files.size(); ++i) {
        std::fprintf(out, "%s\n      %s", i == 0 ? "" : ",", fileJson(disk.files[i]).c_str());
    }
    std::fprintf(out, "%s]}%s\n", disk.files.empty() ? "" : "\n     ", last ? "" : ",");
}

}  // namespace

void printFilesJson(std::FILE* out, const ImageOutcome& image) {
    const int* n = image.counts;
    std::fprintf(out,
                 "{\n  \"image\": {\"bytes\": %lld, \"disks\": %d, \"disksOfTheSet\": %d, "
                 "\"d88\": %s},\n"
                 "  \"choice\": {\"op\": %s, \"diskNumber\": %d},\n"
                 "  \"disks\": [\n",
                 static_cast<long long>(image.fileSize()), image.diskCount(),
                 image.survey.disksOfTheSet, image.looksLikeD88() ? "true" : "false",
                 image.choice.opFlag ? "true" : "false", image.choice.diskNo);
    for (std::size_t i = 0; i < image.disks.size(); ++i) {
        printDisk(out, image.disks[i], image.choice, i + 1 == image.disks.size());
    }
    std::fprintf(out,
                 "  ],\n  \"counts\": {\"whole\": %d, \"damaged\": %d, \"partly\": %d, "
                 "\"missing\": %d, \"replaced\": %d}\n}\n",
                 n[static_cast<int>(Outcome::Whole)], n[static_cast<int>(Outcome::Damaged)],
                 n[static_cast<int>(Outcome::Partly)], n[static_cast<int>(Outcome::Missing)],
                 n[static_cast<int>(Outcome::Replaced)]);
}

}  // namespace d88info
