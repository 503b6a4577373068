// Every text the page writes, in English and in Japanese, and which of the
// two the page shows: Japanese when the browser's preferred languages put
// Japanese first, English otherwise, or what the user last chose on the page.
// The tools' own messages are never translated: they are shown as printed.

const storageKey = "d88cut-language";

// "12,345", without the cost of starting a locale's number format.
export function grouped(number) {
    return String(number).replace(/\B(?=(\d{3})+$)/g, ",");
}

const plural = (n, one, many) => grouped(n) + " " + (n === 1 ? one : many);

// "1st", "2nd", "3rd", "4th", "11th", "21st": a disk's place in its image,
// which must never read as a disk number of the set.
function ordinal(n) {
    const tens = n % 100;
    const suffix = tens >= 11 && tens <= 13 ? "th" : ["th", "st", "nd", "rd"][n % 10] || "th";
    return n + suffix;
}

// A sector of a run: "C17 H1 R2 N3 on track 35".
const sectorEn = (s) => `C${s.c} H${s.h} R${s.r} N${s.n} on track ${s.track}`;
const sectorJa = (s) => `トラック ${s.track} の C${s.c} H${s.h} R${s.r} N${s.n}`;

// A record's mark and status bytes in words, as the -v listing names them.
const statusWords = {
    en: {0x00: "normal", 0x10: "normal, deleted data", 0xa0: "ID CRC error", 0xb0: "data CRC error",
         0xe0: "no address mark", 0xf0: "no data mark"},
    ja: {0x00: "正常", 0x10: "正常 (削除データ)", 0xa0: "ID CRC エラー", 0xb0: "データ CRC エラー",
         0xe0: "アドレスマークなし", 0xf0: "データマークなし"},
};
const hex = (byte) => "0x" + byte.toString(16).toUpperCase().padStart(2, "0");

const texts = {
    en: {
        languageName: "English",
        // The introduction, its middle part in bold.
        intro: ["Cuts the data files out of D88 floppy-disk images of the eight-disk set: MUSDRV, MO00…, " +
                "MP00… and, if you like, OPDEMO and G_TITLE. It runs the same program as the command-line " +
                "d88cut, inside this page: ",
                "your images never leave this computer",
                ", and the page makes no network request, so it works offline, saved as a file."],
        imagesLabel: "D88 images",
        chooseImages: "Choose images…",
        chooseFolder: "Choose a folder…",
        dropHint: "or drop image files or a folder anywhere on this page",
        dropHere: "Drop the images or a folder to cut them",
        choiceLabel: "What to cut",
        choiceAll: "Every disk, with OPDEMO and G_TITLE (-op)",
        choiceNoOp: "Every disk, without OPDEMO and G_TITLE",
        choiceDisk: "Only the first disk of each image, as the disk below:",
        diskNumberLabel: "Disk number",
        choiceHint: "A disk number takes the first disk as that disk, even when its probe sectors are " +
                    "missing or unknown, but a sum of a disk tested earlier on the same probe sector still " +
                    "wins: 1 always gives an Opening Disk; 2 a Program Disk, unless R1's sum is the " +
                    "Opening Disk's; 7 a Demo Disk 1, unless R1's sum is the Opening Disk's or the Program " +
                    "Disk's; 3 always a Data Disk 1; 8 a Demo Disk 2, unless R16's sum is the Data Disk 1's; " +
                    "4, 5 and 6 always that disk, whatever the probes.",
        loading: "Loading…",
        ready: "Ready: choose or drop D88 images.",
        reading: (n) => (n === 1 ? "Reading the image…" : `Reading ${n} images…`),
        tooLarge: (size, most) => `${grouped(size)} bytes: the page takes images up to ${grouped(most)} ` +
                                  "bytes. Use the command-line d88cut for it",
        unreadable: (message) => "it could not be read: " + message,
        nothingDropped: "Nothing to cut was dropped: drop .d88 files, or a folder that holds them.",
        noImageInFolder: "The folder holds no .d88 file.",
        failed: (message) => "Something went wrong in the page: " + message,
        toolFailed: "d88cut could not finish: see its messages below.",
        disagree: (name) => `The listing and the files cut disagree on ${name}: please report this.`,
        imageCount: (n) => plural(n, "image", "images"),
        listSeparator: ", ",
        period: ".",
        counts: {
            whole: (n) => plural(n, "file whole", "files whole"),
            damaged: (n) => grouped(n) + " with damaged records",
            partly: (n) => grouped(n) + " partly read",
            missing: (n) => grouped(n) + " not on the image",
            replaced: (n) => grouped(n) + " replaced by a later disk's",
        },
        empty: "an empty file: there is nothing to cut",
        tooShort: "too short to be a D88 image",
        notD88: "not a D88 image",
        noneOfSet: (n) => `a D88 image of ${plural(n, "disk", "disks")}, ` +
                          "none of them a disk of the set",
        someOfSet: (n, k) => `a D88 image of ${plural(n, "disk", "disks")}` +
                             (k === n ? "" : `, ${grouped(k)} of them of the set`),
        nothingToCut: "Disks of the set were found, but none has files to cut.",
        noDiskOfSet: "no disk of the set was found in them.",
        statusText: (text) => text,
        // A disk by its place in the image (`i` from 0 of `n`).
        disk: (i, n) => (n === 1 ? "Its only disk" : `${ordinal(i + 1)} disk of ${n}`),
        forced: (kind, n, byProbes) => `${kind}: taken as disk ${n} because you chose it ` +
                                       `(its probe sectors alone: ${byProbes})`,
        overridden: (kind, n) => `${kind}: its probe sector says so, though you chose disk ${n}`,
        noKind: "not recognised",
        unsupported: "not a disk of the set: none of the probe sectors is on track 1",
        unknownSum: (probe) => `not a disk of the set: R${probe.r} N${probe.n} on track 1 sums to ` +
                               `${probe.sum}, no disk's sum`,
        headerDoubts: "its header does not look like a D88 disk's",
        nothingOnDisk: "nothing to cut on this disk",
        whole: "whole",
        damagedRecords: (list) => "from damaged records: " + list,
        partly: (read, length, zero, why) => `partly read: ${grouped(read)} of ${grouped(length)} bytes, ` +
                                             `zero ${zero}, as ${why}`,
        zeroFrom: (at) => `from byte ${grouped(at)} on`,
        zeroAt: (ranges) => "at bytes " + ranges.map(([a, b]) => `${grouped(a)}–${grouped(b - 1)}`).join(" and "),
        missing: (why) => "not on the image: " + why,
        notThere: (s) => `${sectorEn(s)} is not there`,
        shortSector: (s, got, asked) => `${sectorEn(s)} gives only ${grouped(got)} of ${grouped(asked)} bytes`,
        and: " and ",
        replacedByDisk: (i) => `replaced by the ${ordinal(i + 1)} disk's`,
        replacedByImage: (name) => `replaced by the file of ${name}`,
        record: (r, words) => `C${r.c} H${r.h} R${r.r} N${r.n} on track ${r.track} (${words})`,
        statusWord: (byte) => statusWords.en[byte] ?? "status " + hex(byte),
        deletedMark: "deleted mark",
        otherMark: (byte) => "mark " + hex(byte),
        size: (n) => grouped(n) + " bytes",
        downloadAll: (n, name) => (n === 1 ? `Download the file as ${name}` : `Download all ${n} files as ${name}`),
        mergeOffer: "These are dumps of the same disk: merge them, and cut the merged image",
        merging: (n) => `Merging ${n} dumps…`,
        mergeFailed: (message) => "d88merge could not merge them: " + message,
        downloadMerged: (name) => `Download the merged image as ${name}`,
        merge: {
            wholeNow: (dumps) => `whole now: not whole in ${dumps}`,
            wholeEverywhere: "whole in every dump",
            notWhole: "the merge could not make it whole",
        },
        messageSummary: (lines, warnings, errors) => `d88cut's messages: ${plural(lines, "line", "lines")}` +
            (errors > 0 ? `, ${plural(errors, "error", "errors")}` : "") +
            (warnings > 0 ? `, ${plural(warnings, "warning", "warnings")}` : ", no warning"),
        pictureHeading: "The disks, track by track",
        pictureNote: "d88info's picture: a row per cylinder, a cell per record as wide as its data, coloured " +
                     "by its state; outlined cells are what d88cut cuts. Tap or click a cell for its record.",
        zoom: "Zoom",
        zoomFit: "Fit",
        drawing: "Drawing…",
        noPicture: (why) => "No picture: " + why,
        detailsHeading: "Record",
        detailsEmpty: "Tap or click a cell of the picture, or move along the cells with the arrow keys.",
        footer: (version) => `d88cut ${version} · MIT licence · Files are named as the command line names ` +
                             "them; where two disks write the same name, the later disk's file is kept.",
    },
    ja: {
        languageName: "日本語",
        intro: ["8 枚組ディスクセットの D88 フロッピーディスクイメージから、データファイル (MUSDRV, MO00…, " +
                "MP00…, 必要なら OPDEMO と G_TITLE) を切り出します。コマンドライン版の d88cut と同じプログラムを" +
                "このページの中で動かします。",
                "イメージがこのコンピュータの外に出ることはありません",
                "。ページはネットワークに一切アクセスしないので、ファイルとして保存すればオフラインでも使えます。"],
        imagesLabel: "D88 イメージ",
        chooseImages: "イメージを選ぶ…",
        chooseFolder: "フォルダを選ぶ…",
        dropHint: "イメージファイルやフォルダを、このページのどこにドロップしてもかまいません",
        dropHere: "ここにドロップすると、イメージを切り出します",
        choiceLabel: "切り出す内容",
        choiceAll: "すべてのディスク。OPDEMO と G_TITLE も (-op)",
        choiceNoOp: "すべてのディスク。OPDEMO と G_TITLE なし",
        choiceDisk: "各イメージの最初のディスクだけを、下の番号のディスクとして:",
        diskNumberLabel: "ディスクの番号",
        choiceHint: "番号を選ぶと、最初のディスクを、判別用のセクタがなかったり不明だったりしてもその番号の" +
                    "ディスクとして切り出します。ただし、同じ判別用セクタで先に調べるディスクの合計に一致すれば" +
                    "そちらになります。1 はいつも Opening Disk、2 は R1 の合計が Opening Disk のものでなければ " +
                    "Program Disk、7 は R1 の合計が Opening Disk のものでも Program Disk のものでもなければ " +
                    "Demo Disk 1、3 はいつも Data Disk 1、8 は R16 の合計が Data Disk 1 のものでなければ " +
                    "Demo Disk 2、4、5、6 は判別用セクタにかかわらずいつもその番号のディスクです。",
        loading: "読み込み中…",
        ready: "準備ができました: D88 イメージを選ぶか、ドロップしてください。",
        reading: (n) => (n === 1 ? "イメージを読み込んでいます…" : `${n} 個のイメージを読み込んでいます…`),
        tooLarge: (size, most) => `${grouped(size)} バイトあります: このページで扱えるのは ${grouped(most)} ` +
                                  "バイトまでです。コマンドライン版の d88cut を使ってください",
        unreadable: (message) => "読み込めませんでした: " + message,
        nothingDropped: "切り出せるものがドロップされませんでした: .d88 ファイルか、それを含むフォルダを" +
                        "ドロップしてください。",
        noImageInFolder: "フォルダに .d88 ファイルがありません。",
        failed: (message) => "ページで問題が起きました: " + message,
        toolFailed: "d88cut が最後まで実行できませんでした: 下のメッセージを見てください。",
        disagree: (name) => `${name} について、一覧と切り出したファイルが食い違っています: お知らせください。`,
        imageCount: (n) => `${grouped(n)} 個のイメージ`,
        listSeparator: "、",
        period: "。",
        counts: {
            whole: (n) => `完全なファイル ${grouped(n)} 個`,
            damaged: (n) => `損傷したレコードを含むもの ${grouped(n)} 個`,
            partly: (n) => `一部しか読めなかったもの ${grouped(n)} 個`,
            missing: (n) => `イメージにないもの ${grouped(n)} 個`,
            replaced: (n) => `後のディスクのもので置き換えたもの ${grouped(n)} 個`,
        },
        empty: "空のファイルです: 切り出すものはありません",
        tooShort: "D88 イメージにしては短すぎます",
        notD88: "D88 イメージではありません",
        noneOfSet: (n) => `${grouped(n)} 枚のディスクの D88 イメージですが、セットのディスクはありません`,
        someOfSet: (n, k) => `${grouped(n)} 枚のディスクの D88 イメージ` +
                             (k === n ? "" : ` (うちセットのディスク ${grouped(k)} 枚)`),
        nothingToCut: "セットのディスクは見つかりましたが、切り出すファイルのあるディスクはありません。",
        noDiskOfSet: "セットのディスクは見つかりませんでした。",
        statusText: (text) => text,
        disk: (i, n) => (n === 1 ? "ディスク (1 枚のみ)" : `${i + 1} 枚目 (${n} 枚中)`),
        forced: (kind, n, byProbes) => `${kind}: ${n} 番を選んだので ${kind} として扱いました ` +
                                       `(判別用セクタだけなら: ${byProbes})`,
        overridden: (kind, n) => `${kind}: ${n} 番を選びましたが、判別用セクタは ${kind} を示しています`,
        noKind: "認識できません",
        unsupported: "セットのディスクではありません: トラック 1 に判別用セクタがありません",
        unknownSum: (probe) => `セットのディスクではありません: トラック 1 の R${probe.r} N${probe.n} の合計 ` +
                               `${probe.sum} はどのディスクとも合いません`,
        headerDoubts: "ヘッダが D88 のディスクのものに見えません",
        nothingOnDisk: "このディスクには切り出すファイルはありません",
        whole: "完全",
        damagedRecords: (list) => "損傷したレコードから: " + list,
        partly: (read, length, zero, why) => `一部しか読めませんでした: ${grouped(length)} バイト中 ` +
                                             `${grouped(read)} バイト, ${zero}は 0 (${why})`,
        zeroFrom: (at) => `${grouped(at)} バイト目以降`,
        zeroAt: (ranges) => ranges.map(([a, b]) => `${grouped(a)}–${grouped(b - 1)} バイト目`).join("と"),
        missing: (why) => "イメージにありません: " + why,
        notThere: (s) => `${sectorJa(s)} がありません`,
        shortSector: (s, got, asked) => `${sectorJa(s)} は ${grouped(asked)} バイト中 ${grouped(got)} バイト` +
                                        "しかありません",
        and: "、",
        replacedByDisk: (i) => `${i + 1} 枚目のディスクのもので置き換えました`,
        replacedByImage: (name) => `${name} のもので置き換えました`,
        record: (r, words) => `${sectorJa(r)} (${words})`,
        statusWord: (byte) => statusWords.ja[byte] ?? "状態 " + hex(byte),
        deletedMark: "削除マーク",
        otherMark: (byte) => "マーク " + hex(byte),
        size: (n) => grouped(n) + " バイト",
        downloadAll: (n, name) => (n === 1 ? `ファイルを ${name} としてダウンロード`
                                           : `${n} 個のファイルをまとめて ${name} としてダウンロード`),
        mergeOffer: "これらは同じディスクの別の読み取りです。1 つにまとめて、まとめたイメージから切り出す",
        merging: (n) => `${n} 個の読み取りを 1 つにまとめています…`,
        mergeFailed: (message) => "d88merge でまとめられませんでした: " + message,
        downloadMerged: (name) => `まとめたイメージを ${name} としてダウンロード`,
        merge: {
            wholeNow: (dumps) => `まとめて完全になりました (${dumps} では完全ではありません)`,
            wholeEverywhere: "どの読み取りでも完全",
            notWhole: "まとめても完全になりませんでした",
        },
        messageSummary: (lines, warnings, errors) => `d88cut のメッセージ ${grouped(lines)} 行` +
            (errors > 0 ? `、エラー ${grouped(errors)} 件` : "") +
            (warnings > 0 ? `、警告 ${grouped(warnings)} 件` : "、警告なし"),
        pictureHeading: "ディスクの様子 (トラックごと)",
        pictureNote: "d88info の図です: シリンダごとに 1 行、レコードごとにデータの長さに比例した幅のセルで、" +
                     "色はレコードの状態を表します。枠で囲んだセルが d88cut の切り出すものです。" +
                     "セルをタップかクリックすると、そのレコードの内容を表示します。",
        zoom: "表示倍率",
        zoomFit: "幅に合わせる",
        drawing: "描画中…",
        noPicture: (why) => "図を描けません: " + why,
        detailsHeading: "レコード",
        detailsEmpty: "図のセルをタップかクリックしてください。矢印キーでセルを移ることもできます。",
        footer: (version) => `d88cut ${version} · MIT ライセンス · ファイル名はコマンドライン版と同じです。` +
                             "2 枚のディスクが同じ名前のファイルを書くときは、後のディスクのものが残ります。",
    },
};

export const languages = Object.keys(texts);

// The language the page starts in: the user's last choice on the page, else
// the browser's first preferred language when it is Japanese, else English.
export function startingLanguage() {
    try {
        const chosen = localStorage.getItem(storageKey);
        if (languages.includes(chosen)) {
            return chosen;
        }
    } catch (error) {
        // Storage may be refused (a file:// page in some browsers): not remembered then.
    }
    const preferred = (navigator.languages && navigator.languages[0]) || navigator.language || "";
    return /^ja\b/i.test(preferred) ? "ja" : "en";
}

export function rememberLanguage(language) {
    try {
        localStorage.setItem(storageKey, language);
    } catch (error) {
        // As above: the choice holds for this visit only.
    }
}

export function textsOf(language) {
    return texts[language] || texts.en;
}
