#include "PictureWords.h"

#include <cstdio>

#include "DiskSummary.h"
#include "GroupedNumber.h"
#include "TrackNames.h"
#include "d88/DiskHeader.h"
#include "d88/TrackAddress.h"

namespace d88info {

namespace {

std::string format(const char* pattern, unsigned long long a = 0, unsigned long long b = 0,
                   unsigned long long c = 0) {
    char text[160];
    std::snprintf(text, sizeof text, pattern, a, b, c);
    return text;
}

struct StateWords {
    const char* english;
    const char* japanese;
};
constexpr StateWords kStateWords[kRecordStateCount] = {
    {"normal", "正常"},
    {"deleted-data mark", "削除データマーク"},
    {"ID or data CRC error", "ID またはデータの CRC エラー"},
    {"no address or data mark", "アドレス/データマークなし"},
    {"other status or mark", "その他の状態またはマーク"},
    {"cut off by the end of the file", "ファイルの終わりで切れている"},
};

constexpr StateWords kTrackKeys[kTrackKeyCount] = {
    {"too many cells: one for the track", "セルが多すぎるトラック: 1 つにまとめる"},
    {"track absent (offset 0)", "トラックなし (オフセット 0)"},
    {"track offset beyond the disk, not read", "ディスクの外を指すトラック: 読まない"},
    {"track offset inside the disk's header, not read", "ヘッダの中を指すトラック: 読まない"},
    {"track beyond the end of the file", "ファイルの終わりより後のトラック"},
    {"walk goes on past the records drawn", "描いたレコードより先にも続く"},
    {"outlined: cut by d88cut for the disk's kind", "枠: ディスクの種類に応じて d88cut が切り出す"},
    {"dashed: cut by d88cut only with -op", "点線の枠: -op のときだけ d88cut が切り出す"},
};

}  // namespace

std::string PictureWords::documentTitle(int disks) const {
    if (japanese) {
        return format("d88info: ディスク %llu 枚", static_cast<unsigned>(disks));
    }
    return format("d88info: %llu disk", static_cast<unsigned>(disks)) + (disks == 1 ? "" : "s");
}

std::string PictureWords::legendTitle(int disks, std::int64_t bytes) const {
    const std::string size = groupedNumber(static_cast<unsigned long long>(bytes));
    if (japanese) {
        return format("ディスク %llu 枚、", static_cast<unsigned>(disks)) + size +
               " バイト。セル 1 つが 1 レコード (ポインタを合わせるとヘッダを表示) で、"
               "幅はデータの長さ。";
    }
    return format("%llu disk", static_cast<unsigned>(disks)) + (disks == 1 ? "" : "s") + " in " +
           size + " bytes; each cell a record (hover for its header), its width its data length";
}

const char* PictureWords::stateWords(RecordState state) const {
    const StateWords& words = kStateWords[static_cast<int>(state)];
    return japanese ? words.japanese : words.english;
}

std::string PictureWords::stateKey(RecordState state) const {
    return std::string(japanese ? "レコード: " : "record: ") + stateWords(state);
}

const char* PictureWords::trackKey(TrackKey key) const {
    const StateWords& words = kTrackKeys[static_cast<int>(key)];
    return japanese ? words.japanese : words.english;
}

std::string PictureWords::head(int head) const {
    return format(japanese ? "ヘッド %llu" : "head %llu", static_cast<unsigned>(head));
}

// A disk by its place in the image, never a bare number that could be read
// as a disk number of the set: "2nd disk of 8 at offset 0x00002000".
std::string PictureWords::diskPlace(int index, int disks, std::int64_t start) const {
    const auto at = static_cast<unsigned long long>(start);
    const auto place = static_cast<unsigned>(index + 1);
    if (disks == 1) {
        return format(japanese ? "ディスク (1 枚のみ、オフセット 0x%08llX)"
                               : "the only disk at offset 0x%08llX",
                      at);
    }
    if (japanese) {
        return format("%llu 枚目 (%llu 枚中、オフセット 0x%08llX)", place,
                      static_cast<unsigned>(disks), at);
    }
    const unsigned tens = place % 100;
    const char* suffix = tens >= 11 && tens <= 13 ? "th"
                         : place % 10 == 1        ? "st"
                         : place % 10 == 2        ? "nd"
                         : place % 10 == 3        ? "rd"
                                                  : "th";
    return format("%llu", place) + suffix +
           format(" disk of %llu at offset 0x%08llX", static_cast<unsigned>(disks), at);
}

std::string PictureWords::panelTitle(int index, int disks, std::int64_t start,
                                     const std::string& name, const std::string& kind,
                                     bool shortTable) const {
    std::string title = diskPlace(index, disks, start) + ": \"" + name + "\", " + kind;
    if (shortTable) {
        title += format(japanese ? "; トラック表 %llu 項目 (%llu バイトのヘッダ)"
                                 : "; track table of %llu entries (%llu-byte header)",
                        d88::DiskHeader::kShortTrackCount, d88::DiskHeader::kShortSize);
    }
    return title;
}

std::string PictureWords::unreadablePanel(int index, int disks, std::int64_t start) const {
    return diskPlace(index, disks, start) +
           (japanese ? ": ヘッダを読めない" : ": header cannot be read");
}

std::string PictureWords::kind(const d88cut::Identification& identification) const {
    if (!japanese || identification.verdict == d88cut::Verdict::Recognised) {
        return kindText(identification);
    }
    return identification.verdict == d88cut::Verdict::UnknownSum ? "認識できない" : "未対応の形式";
}

std::string PictureWords::trackName(int track) const {
    if (!japanese) {
        return d88info::trackName(track);
    }
    const d88::TrackAddress address = d88::TrackAddress::ofIndex(track);
    return format("トラック %llu (C%llu H%llu)", static_cast<unsigned>(track),
                  static_cast<unsigned>(address.cylinder()), static_cast<unsigned>(address.head()));
}

std::string PictureWords::density(std::uint8_t byte) const {
    if (!japanese) {
        return densityText(byte);
    }
    switch (byte) {
        case 0x00:
            return "倍密度";
        case 0x40:
            return "単密度";
        case 0x01:
            return "高密度";
        default:
            return densityText(byte);
    }
}

// The deleted-mark byte in words, never a bare "-".
std::string PictureWords::mark(std::uint8_t byte) const {
    switch (byte) {
        case 0x00:
            return japanese ? "削除マークなし" : "no deleted mark";
        case 0x10:
            return japanese ? "削除マーク" : "deleted mark";
        default:
            return (japanese ? "マーク " : "mark ") + deletedText(byte);
    }
}

std::string PictureWords::status(std::uint8_t byte) const {
    if (!japanese) {
        return statusText(byte);
    }
    switch (byte) {
        case 0x00:
            return "正常";
        case 0x10:
            return "正常 (削除データ)";
        case 0xA0:
            return "ID CRC エラー";
        case 0xB0:
            return "データ CRC エラー";
        case 0xE0:
            return "アドレスマークなし";
        case 0xF0:
            return "データマークなし";
        default:
            return statusText(byte);
    }
}

// "track 4 (C2 H0): C2 H0 R1 N3, 1024 bytes, double, no deleted mark,
// normal" for one record; "track 4 (C2 H0): 5 records C2 H0 R1 2 3 4 5 N3,
// 1024 bytes each, ..." for several; with the bytes the file holds of a
// record cut off, and whether d88cut cuts it. In Japanese the list is
// joined by 、 and what follows it is a sentence of its own.
std::string PictureWords::cellTitle(int track, const d88::SectorHeader& first,
                                    const std::vector<int>& numbers, std::int64_t holds,
                                    Cut cut) const {
    const std::size_t count = numbers.size();
    const char* comma = japanese ? "、" : ", ";
    std::string title = trackName(track) + ": ";
    if (count > 1) {
        title += format(japanese ? "%llu レコード " : "%llu records ", count);
    }
    title += format("C%llu H%llu R", first.c, first.h);
    for (std::size_t i = 0; i < count; ++i) {
        title += format(i == 0 ? "%llu" : " %llu", static_cast<unsigned>(numbers[i]));
    }
    title += format(" N%llu", first.n) + comma;
    const std::string length = groupedNumber(first.dataLength);
    if (japanese) {
        title += (count > 1 ? "各 " : "") + length + " バイト";
    } else {
        title += length + (count > 1 ? " bytes each" : " bytes");
    }
    title +=
        comma + density(first.density) + comma + mark(first.deleted) + comma + status(first.status);
    if (holds >= 0) {
        const std::string held = groupedNumber(static_cast<unsigned long long>(holds));
        title += japanese ? "。ファイルにはそのうち " + held + " バイトだけ"
                          : "; the file holds only " + held + " of them";
    }
    if (cut != Cut::None) {
        const bool always = cut == Cut::Always;
        title += japanese ? (always ? "。d88cut が切り出す" : "。-op のとき d88cut が切り出す")
                          : (always ? "; cut by d88cut" : "; cut by d88cut with -op");
    }
    return title;
}

// "track 8 (C4 H0): 256 records: 200 normal, 56 ID or data CRC error".
std::string PictureWords::summaryTitle(int track, std::size_t records, bool capped,
                                       const std::size_t (&counts)[kRecordStateCount]) const {
    std::string title = trackName(track) + format(japanese ? ": %llu レコード" : ": %llu records",
                                                  static_cast<unsigned long long>(records));
    if (capped) {
        title += japanese ? " (まだ続く)" : ", and the walk goes on";
    }
    const char* separator = ": ";
    for (int state = 0; state < kRecordStateCount; ++state) {
        if (counts[state] != 0) {
            const auto n = static_cast<unsigned long long>(counts[state]);
            const char* words = stateWords(static_cast<RecordState>(state));
            title += separator + (japanese ? std::string(words) + format(" %llu", n)
                                           : format("%llu ", n) + words);
            separator = japanese ? "、" : ", ";
        }
    }
    return title;
}

std::string PictureWords::absentTitle(int track) const {
    return trackName(track) + (japanese ? ": なし" : ": absent");
}

std::string PictureWords::beyondTitle(int track, std::uint32_t offset) const {
    return trackName(track) + format(japanese ? ": オフセット 0x%08llX はディスクの外: 読まない"
                                              : ": offset 0x%08llX is beyond the disk, not read",
                                     offset);
}

std::string PictureWords::insideTitle(int track, std::uint32_t offset) const {
    return trackName(track) + format(japanese
                                         ? ": オフセット 0x%08llX はヘッダの中: 読まない"
                                         : ": offset 0x%08llX lies inside the header, not read",
                                     offset);
}

std::string PictureWords::endedTitle(int track, std::int64_t start) const {
    return trackName(track) + format(japanese
                                         ? " (0x%08llX): 最初のレコードの前でファイルが終わる"
                                         : " at 0x%08llX: the file ends before its first record",
                                     static_cast<unsigned long long>(start));
}

std::string PictureWords::cappedTitle(int track, std::size_t drawn) const {
    return trackName(track) + format(japanese ? ": %llu レコードより先にも続く"
                                              : ": the walk goes on past %llu records",
                                     static_cast<unsigned long long>(drawn));
}

}  // namespace d88info
