// Every text d88cut prints, each written once: its Shift_JIS (code page 932)
// bytes, spelled out in hex escapes, which files and pipes get exactly as they
// stand, with the text they say beside them. A terminal or console that cannot
// show Shift_JIS is shown the same text, decoded from these bytes.
#pragma once

#include <cstddef>

namespace d88cut::messages {

// Each message's name; kMessages holds them in this order.
enum MessageName : int {
    kUsage,
    kUsageOption,
    kUsageDiskNo,
    kCannotOpen,
    kRecognised,
    kNoData,
    kUnsupported,
    kCutting,
    kPartlyRead,
    kCannotWrite,
    kCannotWriteStandardOutput,
    kHelp,
    kHelpDiskNumbers,
    kPressAKey,
    kVersion,
    kDropHint,
    kImageHeading,
    kCannotEnterFolder,
    kSummaryHeading,
    kSummaryDisks,
    kSummaryNoDisk,
    kSummaryFilesCut,
    kSummaryNoneCut,
    kSummaryPartlyRead,
    kSummaryNotOnImage,
    kSummaryNotWritten,
    kSummaryItem,
    kOpHint,
    kMessageCount
};

struct MessageText {
    MessageName name;
    const char* cp932;
};

inline constexpr MessageText kMessages[] = {
    // "Usage: %s [d88file] [DiskNo.] [-op]\n"
    {kUsage, "Usage: %s [d88file] [DiskNo.] [-op]\n"},
    // "       -op : オープニングのプログラムとタイトルグラフィックを切り出す\n"
    {kUsageOption,
     "       -op : "
     "\x83\x49\x81\x5B\x83\x76\x83\x6A\x83\x93\x83\x4F\x82\xCC\x83\x76\x83\x8D\x83\x4F\x83\x89"
     "\x83\x80\x82\xC6\x83\x5E\x83\x43\x83\x67\x83\x8B\x83\x4F\x83\x89\x83\x74\x83\x42\x83\x62"
     "\x83\x4E\x82\xF0\x90\xD8\x82\xE8\x8F\x6F\x82\xB7\n"},
    // "Usage: %s [d88file] (DiskNo.)\n"
    {kUsageDiskNo, "Usage: %s [d88file] (DiskNo.)\n"},
    // "ファイルをオープンできません.\n"
    {kCannotOpen,
     "\x83\x74\x83\x40\x83\x43\x83\x8B\x82\xF0\x83\x49\x81\x5B\x83\x76\x83\x93\x82\xC5\x82\xAB"
     "\x82\xDC\x82\xB9\x82\xF1.\n"},
    // %s is the disk's name, e.g. "Opening Disk".
    // "%s を認識しました.\n"
    {kRecognised, "%s \x82\xF0\x94\x46\x8E\xAF\x82\xB5\x82\xDC\x82\xB5\x82\xBD.\n"},
    // "このディスクには切り出すデータはありません.\n"
    {kNoData,
     "\x82\xB1\x82\xCC\x83\x66\x83\x42\x83\x58\x83\x4E\x82\xC9\x82\xCD\x90\xD8\x82\xE8\x8F\x6F"
     "\x82\xB7\x83\x66\x81\x5B\x83\x5E\x82\xCD\x82\xA0\x82\xE8\x82\xDC\x82\xB9\x82\xF1.\n"},
    // "未対応の形式です.\n"
    {kUnsupported, "\x96\xA2\x91\xCE\x89\x9E\x82\xCC\x8C\x60\x8E\xAE\x82\xC5\x82\xB7.\n"},
    // "cutting ... %s\n"
    {kCutting, "cutting ... %s\n"},
    // Part of the file could not be read.
    // "%s の一部を読み込めませんでした.\n"
    {kPartlyRead,
     "%s \x82\xCC\x88\xEA\x95\x94\x82\xF0\x93\xC7\x82\xDD\x8D\x9E\x82\xDF\x82\xDC\x82\xB9\x82\xF1"
     "\x82\xC5\x82\xB5\x82\xBD.\n"},
    // The file cannot be written.
    // "%s を書き込めません.\n"
    {kCannotWrite, "%s \x82\xF0\x8F\x91\x82\xAB\x8D\x9E\x82\xDF\x82\xDC\x82\xB9\x82\xF1.\n"},
    // kCannotWrite with standard output as the file.
    // "標準出力 を書き込めません.\n"
    {kCannotWriteStandardOutput,
     "\x95\x57\x8F\x80\x8F\x6F\x97\xCD \x82\xF0\x8F\x91\x82\xAB\x8D\x9E\x82\xDF\x82\xDC\x82\xB9"
     "\x82\xF1.\n"},
    // After kUsage and kUsageOption, for -h, --help and /?: what is cut where.
    // "   DiskNo. : 最初のディスクだけを, その番号 (1-8) のディスクとして切り出す\n"
    // "d88file (D88 イメージ) の各ディスクを認識して, そのデータファイルを\n"
    // "今いるフォルダに切り出します. 同じ名前のファイルは置き換えます.\n"
    {kHelp,
     "   DiskNo. : \x8D\xC5\x8F\x89\x82\xCC\x83\x66\x83\x42\x83\x58\x83\x4E\x82\xBE\x82\xAF"
     "\x82\xF0, \x82\xBB\x82\xCC\x94\xD4\x8D\x86 (1-8) \x82\xCC\x83\x66\x83\x42\x83\x58"
     "\x83\x4E\x82\xC6\x82\xB5\x82\xC4\x90\xD8\x82\xE8\x8F\x6F\x82\xB7\nd88file (D88 \x83\x43"
     "\x83\x81\x81\x5B\x83\x57) \x82\xCC\x8A\x65\x83\x66\x83\x42\x83\x58\x83\x4E\x82\xF0"
     "\x94\x46\x8E\xAF\x82\xB5\x82\xC4, \x82\xBB\x82\xCC\x83\x66\x81\x5B\x83\x5E\x83\x74"
     "\x83\x40\x83\x43\x83\x8B\x82\xF0\n\x8D\xA1\x82\xA2\x82\xE9\x83\x74\x83\x48\x83\x8B"
     "\x83\x5F\x82\xC9\x90\xD8\x82\xE8\x8F\x6F\x82\xB5\x82\xDC\x82\xB7. \x93\xAF\x82\xB6"
     "\x96\xBC\x91\x4F\x82\xCC\x83\x74\x83\x40\x83\x43\x83\x8B\x82\xCD\x92\x75\x82\xAB\x8A\xB7"
     "\x82\xA6\x82\xDC\x82\xB7.\n"},
    // After kHelp: what each disk number gives, where a disk tested earlier
    // on the same probe sector still wins.
    // "DiskNo. の 1, 3, 4, 5, 6 はいつもその番号のディスク. 2 は R1 の合計が Opening\n"
    // "Disk のものなら Opening Disk, 7 は Opening Disk か Program Disk のものなら\n"
    // "そのディスク, 8 は R16 の合計が Data Disk 1 のものなら Data Disk 1 になる.\n"
    {kHelpDiskNumbers,
     "DiskNo. \x82\xCC 1, 3, 4, 5, 6 \x82\xCD\x82\xA2\x82\xC2\x82\xE0\x82\xBB\x82\xCC\x94\xD4"
     "\x8D\x86\x82\xCC\x83\x66\x83\x42\x83\x58\x83\x4E. 2 \x82\xCD R1 \x82\xCC\x8D\x87\x8C\x76"
     "\x82\xAA Opening\nDisk \x82\xCC\x82\xE0\x82\xCC\x82\xC8\x82\xE7 Opening Disk, 7 \x82\xCD"
     " Opening Disk \x82\xA9 Program Disk \x82\xCC\x82\xE0\x82\xCC\x82\xC8\x82\xE7\n\x82\xBB"
     "\x82\xCC\x83\x66\x83\x42\x83\x58\x83\x4E, 8 \x82\xCD R16 \x82\xCC\x8D\x87\x8C\x76"
     "\x82\xAA Data Disk 1 \x82\xCC\x82\xE0\x82\xCC\x82\xC8\x82\xE7 Data Disk 1 \x82\xC9"
     "\x82\xC8\x82\xE9.\n"},
    // The last line in a console window of its own, which closes on a key.
    // "何かキーを押すとウィンドウを閉じます.\n"
    {kPressAKey,
     "\x89\xBD\x82\xA9\x83\x4C\x81\x5B\x82\xF0\x89\x9F\x82\xB7\x82\xC6\x83\x45\x83\x42\x83\x93"
     "\x83\x68\x83\x45\x82\xF0\x95\xC2\x82\xB6\x82\xDC\x82\xB7.\n"},
    // For --version: "d88cut 1.0.0\n".
    {kVersion, "d88cut " D88CUT_VERSION "\n"},
    // The rest is shown only in a console window of its own (d88cut.exe dropped
    // on or double-clicked), where every line fits 80 columns.
    // Double-clicked with no image, before the usage; %s is the program's file name.
    // "%s に .d88 イメージを (1 つでも複数でも) ドロップしてください.\n"
    {kDropHint,
     "%s \x82\xC9 .d88 \x83\x43\x83\x81\x81\x5B\x83\x57\x82\xF0 (1 \x82\xC2\x82\xC5\x82\xE0\x95"
     "\xA1\x90\x94\x82\xC5\x82\xE0) \x83\x68\x83\x8D\x83\x62\x83\x76\x82\xB5\x82\xC4\x82\xAD\x82"
     "\xBE\x82\xB3\x82\xA2.\n"},
    // Heads the messages of each image when several are dropped at once; %s is
    // the image's file name.
    // "==== %s ====\n"
    {kImageHeading, "==== %s ====\n"},
    // The image's folder cannot be made the current folder: nothing of it is cut.
    // "フォルダ %s に移れません.\n"
    {kCannotEnterFolder,
     "\x83\x74\x83\x48\x83\x8B\x83\x5F %s \x82\xC9\x88\xDA\x82\xEA\x82\xDC\x82\xB9\x82\xF1.\n"},
    // The summary of each image, after its messages: what was recognised and
    // cut, and where to; the folder and each list of names follow their line
    // as kSummaryItem lines.
    // "---- まとめ ----\n"
    {kSummaryHeading, "---- \x82\xDC\x82\xC6\x82\xDF ----\n"},
    // "セットのディスクを %d 枚認識しました.\n"
    {kSummaryDisks,
     "\x83\x5A\x83\x62\x83\x67\x82\xCC\x83\x66\x83\x42\x83\x58\x83\x4E\x82\xF0 %d \x96\x87\x94"
     "\x46\x8E\xAF\x82\xB5\x82\xDC\x82\xB5\x82\xBD.\n"},
    // "このファイルにはセットのディスクが見つかりませんでした.\n"
    {kSummaryNoDisk,
     "\x82\xB1\x82\xCC\x83\x74\x83\x40\x83\x43\x83\x8B\x82\xC9\x82\xCD\x83\x5A\x83\x62\x83\x67"
     "\x82\xCC\x83\x66\x83\x42\x83\x58\x83\x4E\x82\xAA\x8C\xA9\x82\xC2\x82\xA9\x82\xE8\x82\xDC"
     "\x82\xB9\x82\xF1\x82\xC5\x82\xB5\x82\xBD.\n"},
    // "%d 個のファイルを次のフォルダに切り出しました:\n"
    {kSummaryFilesCut,
     "%d \x8C\xC2\x82\xCC\x83\x74\x83\x40\x83\x43\x83\x8B\x82\xF0\x8E\x9F\x82\xCC\x83\x74\x83\x48"
     "\x83\x8B\x83\x5F\x82\xC9\x90\xD8\x82\xE8\x8F\x6F\x82\xB5\x82\xDC\x82\xB5\x82\xBD:\n"},
    // "切り出したファイルはありません.\n"
    {kSummaryNoneCut,
     "\x90\xD8\x82\xE8\x8F\x6F\x82\xB5\x82\xBD\x83\x74\x83\x40\x83\x43\x83\x8B\x82\xCD\x82\xA0"
     "\x82\xE8\x82\xDC\x82\xB9\x82\xF1.\n"},
    // "一部を読み込めなかったファイル (読めない所は 0 で埋めました):\n"
    {kSummaryPartlyRead,
     "\x88\xEA\x95\x94\x82\xF0\x93\xC7\x82\xDD\x8D\x9E\x82\xDF\x82\xC8\x82\xA9\x82\xC1\x82\xBD"
     "\x83\x74\x83\x40\x83\x43\x83\x8B (\x93\xC7\x82\xDF\x82\xC8\x82\xA2\x8F\x8A\x82\xCD 0 \x82"
     "\xC5\x96\x84\x82\xDF\x82\xDC\x82\xB5\x82\xBD):\n"},
    // "最初のセクタがイメージになく, 切り出せなかったファイル:\n"
    {kSummaryNotOnImage,
     "\x8D\xC5\x8F\x89\x82\xCC\x83\x5A\x83\x4E\x83\x5E\x82\xAA\x83\x43\x83\x81\x81\x5B\x83\x57"
     "\x82\xC9\x82\xC8\x82\xAD, \x90\xD8\x82\xE8\x8F\x6F\x82\xB9\x82\xC8\x82\xA9\x82\xC1\x82\xBD"
     "\x83\x74\x83\x40\x83\x43\x83\x8B:\n"},
    // "書き込めなかったファイル:\n"
    {kSummaryNotWritten,
     "\x8F\x91\x82\xAB\x8D\x9E\x82\xDF\x82\xC8\x82\xA9\x82\xC1\x82\xBD\x83\x74\x83\x40\x83\x43"
     "\x83\x8B:\n"},
    // "  %s\n"
    {kSummaryItem, "  %s\n"},
    // Once before kPressAKey, when a disk had files cut only with -op and the
    // run had no -op.
    // "OPDEMO と G_TITLE は, コンソールで d88cut.exe image.d88 -op と実行するか,\n"
    // "リンク先の末尾に -op を付けたショートカットへドロップすると切り出せます.\n"
    {kOpHint,
     "OPDEMO \x82\xC6 G_TITLE \x82\xCD, \x83\x52\x83\x93\x83\x5C\x81\x5B\x83\x8B\x82"
     "\xC5 d88cut.exe image.d88 -op \x82\xC6\x8E\xC0\x8D\x73\x82\xB7\x82\xE9\x82\xA9,\n\x83\x8A"
     "\x83\x93\x83\x4E\x90\xE6\x82\xCC\x96\x96\x94\xF6\x82\xC9 -op \x82\xF0\x95\x74\x82\xAF\x82"
     "\xBD\x83\x56\x83\x87\x81\x5B\x83\x67\x83\x4A\x83\x62\x83\x67\x82\xD6\x83\x68\x83\x8D\x83"
     "\x62\x83\x76\x82\xB7\x82\xE9\x82\xC6\x90\xD8\x82\xE8\x8F\x6F\x82\xB9\x82\xDC\x82\xB7.\n"},
};

// Every message has its row, at its place.
constexpr bool everyMessageInOrder() {
    std::size_t index = 0;
    for (const MessageText& row : kMessages) {
        if (row.name != static_cast<MessageName>(index++)) {
            return false;
        }
    }
    return index == kMessageCount;
}
static_assert(everyMessageInOrder(), "kMessages must hold every message, in the order named");

// What the print functions take: a message, by its name. A class, as the last
// parameter before a variable argument list must be one that is not promoted.
struct Message {
    constexpr Message(MessageName messageName) : name(messageName) {}
    MessageName name;
};

constexpr const char* bytesOf(Message message) {
    return kMessages[message.name].cp932;
}

}  // namespace d88cut::messages
