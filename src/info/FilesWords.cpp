#include "FilesWords.h"

#include <cstdio>
#include <utility>
#include <vector>

#include "DiskSummary.h"
#include "GroupedNumber.h"
#include "PictureWords.h"
#include "RecordStatus.h"
#include "d88/DiskHeader.h"
#include "diskset/DiskKind.h"

namespace d88info {

namespace {

std::string format(const char* pattern, long long a = 0, long long b = 0, long long c = 0,
                   long long d = 0, long long e = 0) {
    // Room for the longest Japanese sentence, at three bytes a character.
    char text[400];
    std::snprintf(text, sizeof text, pattern, a, b, c, d, e);
    return text;
}

const char* plural(long long count) {
    return count == 1 ? "" : "s";
}

// The items with `separator` between them.
std::string joined(const std::vector<std::string>& items, const char* separator) {
    std::string text;
    for (const std::string& item : items) {
        text += (text.empty() ? "" : separator) + item;
    }
    return text;
}

}  // namespace

// A count of bytes or files, grouped as every text a person reads groups it.
std::string groupedCount(long long count) {
    return count < 0 ? std::to_string(count)
                     : groupedNumber(static_cast<unsigned long long>(count));
}

std::string FilesWords::number(long long count) const {
    return grouped ? groupedCount(count) : std::to_string(count);
}

std::string FilesWords::bytes(long long count) const {
    return number(count) + (japanese ? " バイト" : " bytes");
}

std::string FilesWords::imageLine(const ImageOutcome& image) const {
    std::string text = (japanese ? "イメージ: " : "image: ") + bytes(image.fileSize());
    const int disks = image.diskCount();
    const int ofTheSet = image.survey.disksOfTheSet;
    if (japanese) {
        if (image.fileSize() == 0) {
            return text + "。空のファイルです。";
        }
        if (disks == 0) {
            return text + "。D88 イメージにしては短すぎます (ディスクのヘッダは " +
                   bytes(d88::DiskHeader::kSize) + ")。";
        }
        text += format("、ディスク %lld 枚", disks);
        if (!image.looksLikeD88()) {
            return text + "。D88 イメージではありません (意味の通るディスクヘッダがありません)。";
        }
        if (ofTheSet == 0) {
            return text + "。セットのディスクはありません。";
        }
        return text + format(" (うちセットのディスク %lld 枚)。", ofTheSet);
    }
    if (image.fileSize() == 0) {
        return text + ": empty";
    }
    if (disks == 0) {
        return text + ": too short to be a D88 image (a disk header is " +
               bytes(d88::DiskHeader::kSize) + ")";
    }
    text += format(", %lld disk", disks) + plural(disks);
    if (!image.looksLikeD88()) {
        return text + ": not a D88 image (no disk header in it makes sense)";
    }
    if (ofTheSet == 0) {
        return text + ", none of them a disk of the set";
    }
    return text + format(", %lld of them of the set", ofTheSet);
}

std::string FilesWords::cutLine(const CutChoice& choice) const {
    if (japanese) {
        if (choice.diskNo != 0) {
            return format("切り出し: 最初のディスクだけを、%lld 番のディスクとして。",
                          choice.diskNo);
        }
        return choice.opFlag ? "切り出し: すべてのディスク。OPDEMO と G_TITLE も (-op)。"
                             : "切り出し: すべてのディスク。";
    }
    if (choice.diskNo != 0) {
        return format("cut: the first disk only, as disk %lld", choice.diskNo);
    }
    return choice.opFlag ? "cut: every disk, with OPDEMO and G_TITLE (-op)" : "cut: every disk";
}

std::string FilesWords::diskHeading(int index, std::int64_t start) const {
    return format(
        japanese ? "ディスク %lld (オフセット 0x%08llX) " : "disk %lld at offset 0x%08llX ", index,
        start);
}

std::string FilesWords::unreadHeader() const {
    return japanese ? "(ヘッダを読めません)" : "(header cannot be read)";
}

std::string FilesWords::kindVerdict(const DiskOutcome& disk, const CutChoice& choice) const {
    const d88cut::DiskKindInfo& kind = d88cut::kindInfo(*disk.chosen.kind);
    const std::string name = kind.name;
    std::string text;
    if (japanese) {
        const std::string byProbes = PictureWords(PictureLanguage::Japanese).kind(disk.byProbes);
        if (disk.forced(choice)) {
            text = format("%lld 番を選んだので ", choice.diskNo) + name +
                   " として扱います (判別用セクタだけなら: " + byProbes + ")。";
        } else if (choice.diskNo == kind.number) {
            text = name + " です (選んだ番号のとおり)。";
        } else if (choice.diskNo != 0) {
            text = name + format(" です。%lld 番を選びましたが、判別用セクタが ", choice.diskNo) +
                   name + " を示しています。";
        } else {
            text = name + " です。";
        }
        return kind.cuts == nullptr ? text + "切り出すファイルはありません。" : text;
    }
    text = name;
    if (disk.forced(choice)) {
        text += format(", taken as disk %lld as chosen (its probe sectors alone: ", choice.diskNo) +
                kindText(disk.byProbes) + ")";
    } else if (choice.diskNo == kind.number) {
        text += ", the disk chosen";
    } else if (choice.diskNo != 0) {
        text +=
            format(", though disk %lld was chosen: its probe sector says ", choice.diskNo) + name;
    }
    return kind.cuts == nullptr ? text + ", nothing to cut" : text;
}

std::string FilesWords::verdict(const DiskOutcome& disk, const CutChoice& choice) const {
    const d88cut::Identification& chosen = disk.chosen;
    if (chosen.verdict == d88cut::Verdict::Unsupported) {
        return japanese ? "セットのディスクではないので飛ばします: トラック 1 に判別用セクタが"
                          "ひとつもありません (未対応の形式)。"
                        : "passed over: none of the probe sectors is on track 1 (unsupported "
                          "format)";
    }
    if (chosen.verdict == d88cut::Verdict::UnknownSum) {
        const d88cut::ProbeSector& probe = d88cut::kIdentificationStages[chosen.stage].probe;
        return format(japanese
                          ? "セットのディスクではないので飛ばします: トラック 1 の R%lld N%lld "
                            "の先頭 256 バイトの合計 %lld は、セットのどのディスクの合計とも"
                            "違います。"
                          : "passed over: the first 256 bytes of R%lld N%lld on track 1 sum "
                            "to %lld, a sum of no disk of the set",
                      probe.r, probe.n, chosen.sum);
    }
    return kindVerdict(disk, choice);
}

std::string FilesWords::unknownMedia(std::uint8_t media) const {
    return format(japanese ? "メディアバイト 0x%02llX はどの D88 作成ツールも使わない値です"
                           : "media byte 0x%02llX is none a D88 writer uses",
                  media);
}

std::string FilesWords::smallerThanHeader(const d88::HeaderFindings& found) const {
    if (japanese) {
        return "ディスクサイズ " + bytes(found.diskSize) + " はヘッダ (" + bytes(found.headerSize) +
               ") より小さいです";
    }
    return "disk size " + number(found.diskSize) + " is smaller than a header (" +
           bytes(found.headerSize) + ")";
}

std::string FilesWords::misplacedFirstTrack(const d88::HeaderFindings& found) const {
    return format(japanese ? "最初のトラックがヘッダ (%lld バイト) の直後ではなくオフセット %lld "
                             "にあります"
                           : "the first track lies at offset %lld, not right after the header "
                             "(%lld bytes)",
                  japanese ? found.headerSize : found.misplacedFirstTrack,
                  japanese ? found.misplacedFirstTrack : found.headerSize);
}

std::string FilesWords::mostTracksOutside(const d88::HeaderFindings& found) const {
    return japanese ? format("トラックオフセット %lld 個のうち %lld 個がディスクの外を指しています",
                             found.presentTracks, found.tracksOutside)
                    : format("%lld of %lld track offsets point outside the disk",
                             found.tracksOutside, found.presentTracks);
}

std::string FilesWords::pastFileEndWithNoTrack(const d88::HeaderFindings& found) const {
    const std::string size = number(found.diskSize);
    if (japanese) {
        return "ディスクサイズ " + size + " バイトがファイルの終わり (残り " +
               bytes(found.bytesLeftInFile) +
               ") を越えていて、ファイルの中にトラックがひとつも"
               "ありません";
    }
    return "disk size " + size + " runs past the end of the file (" + bytes(found.bytesLeftInFile) +
           " left) and not one track lies in the file";
}

std::string FilesWords::headerLine(const std::vector<std::string>& doubts) const {
    if (japanese) {
        return "  ヘッダ: " + joined(doubts, "。") + "。";
    }
    return "  header: " + joined(doubts, "; ");
}

// "C17 H0 R1 N3 on track 34", "トラック 34 の C17 H0 R1 N3".
std::string FilesWords::sectorName(const d88::D88Image::SectorRequest& sector) const {
    if (japanese) {
        return format("トラック %lld の C%lld H%lld R%lld N%lld", sector.track, sector.c, sector.h,
                      sector.r, sector.n);
    }
    return format("C%lld H%lld R%lld N%lld on track %lld", sector.c, sector.h, sector.r, sector.n,
                  sector.track);
}

// "C17 H0 R1 N3 on track 34 is not there", or "... gives only 700 of 1024 bytes".
std::string FilesWords::unreadText(const UnreadSector& unread) const {
    const std::string name = sectorName(unread.sector);
    if (japanese) {
        return name + (unread.found ? " が " + bytes(unread.sector.length) + "中 " +
                                          bytes(unread.delivered) + "しかない"
                                    : " がない");
    }
    if (!unread.found) {
        return name + " is not there";
    }
    return name + format(" gives only %lld of ", unread.delivered) + bytes(unread.sector.length);
}

// Why the runs stopped: "C17 H1 R2 N3 on track 35 is not there and ...".
std::string FilesWords::stopsText(const FileFate& file) const {
    std::vector<std::string> stops;
    for (const PieceRead& piece : file.piecesRead()) {
        if (piece.stopped) {
            stops.push_back(unreadText(piece.stop));
        }
    }
    return japanese ? joined(stops, "、") + "ため" : joined(stops, " and ");
}

// "zero from byte 2048 on", or "zero at bytes 1024-2047 and 4096-5119".
std::string FilesWords::zeroText(const FileFate& file) const {
    std::vector<std::pair<long long, long long>> ranges;
    for (const PieceRead& piece : file.piecesRead()) {
        if (piece.bytesRead < piece.length) {
            ranges.emplace_back(piece.offset + piece.bytesRead, piece.offset + piece.length - 1LL);
        }
    }
    if (ranges.size() == 1 && ranges[0].second == file.file.length() - 1LL) {
        return format(japanese ? "%lld バイト目以降は 0" : "zero from byte %lld on",
                      ranges[0].first);
    }
    std::vector<std::string> spans;
    for (const auto& range : ranges) {
        spans.push_back(
            format(japanese ? "%lld-%lld バイト目" : "%lld-%lld", range.first, range.second));
    }
    return japanese ? joined(spans, "と ") + "は 0" : "zero at bytes " + joined(spans, " and ");
}

// "C16 H1 R2 N3 (data CRC error)", "C20 H0 R4 N3 (normal, deleted mark)".
std::string FilesWords::recordText(const MarkedRecord& record) const {
    const d88::SectorHeader& h = record.header;
    const PictureWords picture(japanese ? PictureLanguage::Japanese : PictureLanguage::English);
    std::string text =
        format("C%lld H%lld R%lld N%lld (", h.c, h.h, h.r, h.n) + picture.status(h.status);
    if (h.deleted != 0) {
        const std::string mark = deletedText(h.deleted);
        const char* comma = japanese ? "、" : ", ";
        text += comma + (mark == "deleted" ? std::string(japanese ? "削除マーク" : "deleted mark")
                                           : (japanese ? "マーク " : "mark ") + mark);
    }
    return text + ")";
}

std::string FilesWords::recordList(const FileFate& file) const {
    std::vector<std::string> records;
    for (const MarkedRecord& record : file.markedRecords()) {
        records.push_back(recordText(record));
    }
    return joined(records, japanese ? "、" : ", ");
}

std::string FilesWords::fileText(const FileFate& file) const {
    const long long length = file.file.length();
    std::string text;
    switch (file.written) {
        case Written::Missing:
            return japanese ? "書き出しません (" + stopsText(file) + ")。"
                            : "not written, as " + stopsText(file);
        case Written::Whole:
            text = bytes(length) + (japanese ? "、完全に読めました。" : ", whole");
            break;
        case Written::Damaged:
            text = japanese ? bytes(length) + "、すべて読めましたが、損傷したレコードからです: " +
                                  recordList(file) + "。"
                            : bytes(length) + ", whole, from damaged records: " + recordList(file);
            break;
        case Written::Partly:
            if (japanese) {
                text = bytes(length) + "、一部しか読めませんでした: 読めたのは " +
                       bytes(file.bytesRead()) + "で、" + zeroText(file) + " です (" +
                       stopsText(file) + ")。";
                if (file.fromMarkedRecords()) {
                    text += "損傷したレコードからも読んでいます: " + recordList(file) + "。";
                }
                break;
            }
            text = bytes(length) + ", partly read: " + bytes(file.bytesRead()) + " read, " +
                   zeroText(file) + ", as " + stopsText(file);
            if (file.fromMarkedRecords()) {
                text += "; from damaged records: " + recordList(file);
            }
            break;
    }
    if (file.replacedBy >= 0) {
        text += format(japanese ? "後のディスク %lld の同じ名前のファイルで置き換えられます。"
                                : "; replaced by disk %lld's file of that name",
                       file.replacedBy);
    }
    return text;
}

std::string FilesWords::countsLine(const int (&counts)[d88cut::kOutcomeCount]) const {
    const auto n = [&](Outcome outcome) { return groupedCount(counts[static_cast<int>(outcome)]); };
    if (japanese) {
        return "ファイル: 完全なもの " + n(Outcome::Whole) + " 個、損傷したレコードを含むもの " +
               n(Outcome::Damaged) + " 個、一部しか読めなかったもの " + n(Outcome::Partly) +
               " 個、イメージにないもの " + n(Outcome::Missing) +
               " 個、後のディスクのもので置き換えたもの " + n(Outcome::Replaced) + " 個。";
    }
    return "files: " + n(Outcome::Whole) + " whole, " + n(Outcome::Damaged) +
           " with damaged records, " + n(Outcome::Partly) + " partly read, " + n(Outcome::Missing) +
           " not on the image, " + n(Outcome::Replaced) + " replaced by a later disk's";
}

}  // namespace d88info
