// Every text d88cut prints, as Shift_JIS (code page 932) bytes. Japanese text
// is spelled out in hex escapes; the comment above each shows what it reads.
#pragma once

namespace d88cut::messages {

// "Usage: %s [d88file] [DiskNo.] [-op]\n"
inline constexpr char kUsage[] = "Usage: %s [d88file] [DiskNo.] [-op]\n";

// "       -op : オープニングのプログラムとタイトルグラフィックを切り出す\n"
inline constexpr char kUsageOption[] =
    "       -op : "
    "\x83\x49\x81\x5B\x83\x76\x83\x6A\x83\x93\x83\x4F\x82\xCC\x83\x76\x83\x8D\x83\x4F\x83\x89"
    "\x83\x80\x82\xC6\x83\x5E\x83\x43\x83\x67\x83\x8B\x83\x4F\x83\x89\x83\x74\x83\x42\x83\x62"
    "\x83\x4E\x82\xF0\x90\xD8\x82\xE8\x8F\x6F\x82\xB7\n";

// "Usage: %s [d88file] (DiskNo.)\n"
inline constexpr char kUsageDiskNo[] = "Usage: %s [d88file] (DiskNo.)\n";

// "ファイルをオープンできません.\n"
inline constexpr char kCannotOpen[] =
    "\x83\x74\x83\x40\x83\x43\x83\x8B\x82\xF0\x83\x49\x81\x5B\x83\x76\x83\x93\x82\xC5\x82\xAB"
    "\x82\xDC\x82\xB9\x82\xF1.\n";

// "%s を認識しました.\n" — %s is the disk's name, e.g. "Opening Disk".
inline constexpr char kRecognised[] =
    "%s \x82\xF0\x94\x46\x8E\xAF\x82\xB5\x82\xDC\x82\xB5\x82\xBD.\n";

// "このディスクには切り出すデータはありません.\n"
inline constexpr char kNoData[] =
    "\x82\xB1\x82\xCC\x83\x66\x83\x42\x83\x58\x83\x4E\x82\xC9\x82\xCD\x90\xD8\x82\xE8\x8F\x6F"
    "\x82\xB7\x83\x66\x81\x5B\x83\x5E\x82\xCD\x82\xA0\x82\xE8\x82\xDC\x82\xB9\x82\xF1.\n";

// "未対応の形式です.\n"
inline constexpr char kUnsupported[] =
    "\x96\xA2\x91\xCE\x89\x9E\x82\xCC\x8C\x60\x8E\xAE\x82\xC5\x82\xB7.\n";

// "cutting ... %s\n"
inline constexpr char kCutting[] = "cutting ... %s\n";

// "%s の一部を読み込めませんでした.\n" — part of the file could not be read.
inline constexpr char kPartlyRead[] =
    "%s \x82\xCC\x88\xEA\x95\x94\x82\xF0\x93\xC7\x82\xDD\x8D\x9E\x82\xDF\x82\xDC\x82\xB9\x82\xF1"
    "\x82\xC5\x82\xB5\x82\xBD.\n";

// "%s を書き込めません.\n" — the file cannot be written.
inline constexpr char kCannotWrite[] =
    "%s \x82\xF0\x8F\x91\x82\xAB\x8D\x9E\x82\xDF\x82\xDC\x82\xB9\x82\xF1.\n";

// "標準出力" — standard output, named in kCannotWrite when it cannot be written.
inline constexpr char kStandardOutputName[] = "\x95\x57\x8F\x80\x8F\x6F\x97\xCD";

}  // namespace d88cut::messages
