#include "InfoMessages.h"

#include "system/UserLanguage.h"

namespace d88info {

namespace {

struct Words {
    InfoMessage message;
    const char* english;
    const char* japanese;
};

// In the order of InfoMessage.
constexpr Words kMessages[] = {
    {InfoMessage::LangNeedsValue, "--lang needs en or ja",
     "--lang には en か ja を指定してください。"},
    {InfoMessage::LangWantsValue, "--lang wants en or ja: %s",
     "--lang には en か ja を指定してください: %s"},
    {InfoMessage::GoesWithFiles, "%s goes with --files", "%s は --files と一緒に使います。"},
    {InfoMessage::FilesDrops, "--files lists the files of each disk: drop %s",
     "--files は各ディスクのファイルを一覧します。%s を外してください。"},
    {InfoMessage::OpOrNumber, "-op or a disk number, as d88cut takes one of them, not both",
     "-op かディスク番号のどちらか一方だけを指定してください (d88cut と同じです)。"},
    {InfoMessage::XNeedsValue, "-x needs TRACK,R[,N] or C/H/R[/N]",
     "-x には TRACK,R[,N] か C/H/R[/N] を指定してください。"},
    {InfoMessage::XWantsValue,
     "-x wants TRACK,R[,N] with TRACK 0-163 or C/H/R[/N] with C 0-81 and H 0-1, R and N 0-255: "
     "%s",
     "-x には TRACK,R[,N] (TRACK は 0-163) か C/H/R[/N] (C は 0-81、H は 0-1) を、R と N は "
     "0-255 で指定してください: %s"},
    {InfoMessage::UnknownOption, "unknown option: %s", "知らないオプションです: %s"},
    {InfoMessage::MoreThanOneImage, "more than one image file: %s",
     "イメージファイルは 1 つだけです: %s"},
    {InfoMessage::AfterTheImage, "after the image, -op or a disk number 1-8: %s",
     "イメージの後には -op か 1-8 のディスク番号を指定してください: %s"},
    {InfoMessage::NoImage, "no image file given", "イメージファイルが指定されていません。"},
    {InfoMessage::SvgDumpsNothing, "--svg draws every disk and dumps no sector: drop -x",
     "--svg はすべてのディスクを描き、セクタをダンプしません。-x を外してください。"},
    {InfoMessage::CannotOpen, "cannot open %s: %s", "%s を開けません: %s"},
    {InfoMessage::NoSuchFile, "no such file", "ファイルがありません。"},
    {InfoMessage::PermissionDenied, "permission denied", "読む権限がありません。"},
    {InfoMessage::NotRegularFile, "not a regular file", "通常のファイルではありません。"},
    {InfoMessage::SystemCannotOpen, "the system cannot open it", "システムが開けません。"},
    {InfoMessage::CannotWriteOutput, "cannot write standard output", "標準出力に書き込めません。"},
    {InfoMessage::WindowHint,
     "Drop one or more .d88 images on %s to see what d88cut makes of each file.\n",
     "%s に .d88 イメージを (1 つでも複数でも) ドロップすると、d88cut "
     "が各ファイルをどう切り出すかを"
     "表示します。\n"},
    {InfoMessage::PressAKey, "Press any key to close this window.\n",
     "何かキーを押すとウィンドウを閉じます。\n"},
};

static_assert(kMessages[static_cast<int>(InfoMessage::PressAKey)].message == InfoMessage::PressAKey,
              "kMessages is in the order of InfoMessage");

constexpr char kUsageEnglish[] =
    "usage: d88info [-v] [--utf8] [-x TRACK,R[,N]|C/H/R[/N]] IMAGE\n"
    "       d88info --svg [--lang en|ja] IMAGE\n"
    "       d88info --files [--json] [--utf8] [--lang en|ja] IMAGE [-op | 1..8]\n";

constexpr char kUsageJapanese[] =
    "使い方: d88info [-v] [--utf8] [-x TRACK,R[,N]|C/H/R[/N]] IMAGE\n"
    "        d88info --svg [--lang en|ja] IMAGE\n"
    "        d88info --files [--json] [--utf8] [--lang en|ja] IMAGE [-op | 1..8]\n";

constexpr char kHelpEnglish[] =
    "Shows what each disk of a D88 image file holds: its header, the probe\n"
    "sectors on track index 1 and the disk kind d88cut recognises from them,\n"
    "and the layout of its tracks.\n"
    "\n"
    "  -v              list every record of every present track\n"
    "  --utf8          show disk names that are Shift_JIS text decoded, in UTF-8,\n"
    "                  also in a file or pipe (a terminal or console shows them\n"
    "                  decoded anyway)\n"
    "  -x TRACK,R[,N]  hex dump of the first sector with ID C=TRACK/2, H=TRACK%2,\n"
    "                  R and N (any N when left out) on track index TRACK of\n"
    "                  each disk\n"
    "  -x C/H/R[/N]    the same by cylinder and head: track index C*2+H\n"
    "  --svg           instead of the text, write an SVG picture of every disk:\n"
    "                  a row per track and a cell per record, coloured by its\n"
    "                  status, outlined where d88cut cuts it (-v and --utf8 change\n"
    "                  nothing in it)\n"
    "  --files         instead of the text, what d88cut does with each file of\n"
    "                  each disk and why: written whole, from damaged records,\n"
    "                  partly read, not on the image, or replaced by a later\n"
    "                  disk's; -op or a disk number after IMAGE as d88cut takes\n"
    "                  them\n"
    "  --json          with --files: the same as one JSON document\n"
    "  --lang ja|en    the language of --files, --svg and the messages: Japanese\n"
    "                  or English (by default the user's language: Japanese where\n"
    "                  the locale or the Windows display language is Japanese);\n"
    "                  -v and --json are English whatever it is\n"
    "  -h, --help      show this help\n"
    "  --version       show the version\n"
    "  --              end of options: IMAGE may start with -\n";

constexpr char kHelpJapanese[] =
    "D88 イメージファイルの各ディスクに何が入っているかを表示します: ヘッダ、\n"
    "トラック 1 の判別用セクタとそこから d88cut が認識するディスクの種類、\n"
    "トラックの配置。\n"
    "\n"
    "  -v              すべてのトラックのすべてのレコードを一覧する\n"
    "  --utf8          Shift_JIS のディスク名を、ファイルやパイプにも UTF-8 で\n"
    "                  デコードして書く (端末やコンソールにはいつもデコードする)\n"
    "  -x TRACK,R[,N]  各ディスクのトラック TRACK にある、ID が C=TRACK/2、\n"
    "                  H=TRACK%2 で R と N (省くとどの N でも) の最初のセクタを\n"
    "                  16 進ダンプする\n"
    "  -x C/H/R[/N]    同じことをシリンダとヘッドで: トラック C*2+H\n"
    "  --svg           テキストの代わりに、すべてのディスクの SVG の図を書く:\n"
    "                  トラックごとに 1 行、レコードごとに 1 セル、状態で色分けし、\n"
    "                  d88cut が切り出すものを枠で囲む (-v と --utf8 は影響しない)\n"
    "  --files         テキストの代わりに、d88cut が各ディスクの各ファイルをどう\n"
    "                  するかとその理由: 完全に書き出す、損傷したレコードから、\n"
    "                  一部しか読めない、イメージにない、後のディスクのもので置き\n"
    "                  換える。IMAGE の後の -op やディスク番号は d88cut と同じ\n"
    "  --json          --files と一緒に: 同じ内容を 1 つの JSON 文書で\n"
    "  --lang ja|en    --files、--svg とメッセージの言語: 日本語か英語 (既定は\n"
    "                  ユーザの言語: ロケールか Windows の表示言語が日本語なら\n"
    "                  日本語)。-v と --json はいつも英語\n"
    "  -h, --help      このヘルプを表示する\n"
    "  --version       バージョンを表示する\n"
    "  --              オプションの終わり: IMAGE が - で始まってもよい\n";

}  // namespace

const char* messageText(Language language, InfoMessage message) {
    const Words& words = kMessages[static_cast<int>(message)];
    return language == Language::Japanese ? words.japanese : words.english;
}

const char* usageText(Language language) {
    return language == Language::Japanese ? kUsageJapanese : kUsageEnglish;
}

const char* helpText(Language language) {
    return language == Language::Japanese ? kHelpJapanese : kHelpEnglish;
}

Language defaultLanguage() {
#ifdef __EMSCRIPTEN__
    return Language::English;
#else
    return d88console::userReadsJapanese() ? Language::Japanese : Language::English;
#endif
}

}  // namespace d88info
