// The listing: for each image what it is and d88cut's messages about it
// (folded), for each of its disks what d88cut made of it, and every file of
// the disk's kind with a mark for what became of it, the damaged records
// named, and a download for each file left. A disk is named by its place in
// the image ("2nd disk of 8"), never by a bare number that could be read as
// a disk number of the set.
import {imageKind} from "./outcomes.js";

export function make(tag, attributes, ...children) {
    const node = document.createElement(tag);
    Object.assign(node, attributes);
    node.append(...children);
    return node;
}

// The mark of each outcome: a symbol, with the outcome's name as its class.
const marks = {whole: "✓", damaged: "!", partly: "◐", missing: "✗", replaced: "↻"};

function recordWords(t, record) {
    let words = t.statusWord(record.statusByte);
    if (record.markByte === 0x10) {
        words += ", " + t.deletedMark;
    } else if (record.markByte !== 0) {
        words += ", " + t.otherMark(record.markByte);
    }
    return t.record(record, words);
}

function unreadWords(t, sectors) {
    return sectors.map((s) => (s.found ? t.shortSector(s, s.delivered, s.asked) : t.notThere(s))).join(t.and);
}

// What became of a file, in words; null for a file written whole.
function fileWords(t, entry, imageNames) {
    const file = entry.file;
    const parts = [];
    if (file.written === "missing") {
        parts.push(t.missing(unreadWords(t, file.unread)));
    }
    if (file.written === "partly") {
        const ranges = file.zeroRanges;
        const zero = ranges.length === 1 && ranges[0][1] === file.length ? t.zeroFrom(ranges[0][0]) : t.zeroAt(ranges);
        parts.push(t.partly(file.bytesRead, file.length, zero, unreadWords(t, file.unread)));
    }
    if (file.damaged.length > 0) {
        parts.push(t.damagedRecords(file.damaged.map((record) => recordWords(t, record)).join(t.and)));
    }
    if (file.replacedBy !== null) {
        parts.push(t.replacedByDisk(file.replacedBy));
    } else if (entry.replacedByImage !== null) {
        parts.push(t.replacedByImage(imageNames[entry.replacedByImage]));
    }
    return parts.length === 0 ? null : parts.join("; ");
}

// What the merge did for a file of a merged image, in words.
function mergeWords(t, fate) {
    return fate.key === "wholeNow" ? t.merge.wholeNow(fate.dumps.join(t.and)) : t.merge[fate.key];
}

function fileRow(t, entry, imageNames, downloadLink, mergeFates) {
    const name = entry.file.name;
    const mark = make("span", {className: "mark " + entry.outcome, title: entry.outcome}, marks[entry.outcome]);
    const label = entry.bytes ? downloadLink(name, () => entry.bytes, "application/octet-stream", name)
                              : make("span", {className: "name"}, name);
    const words = fileWords(t, entry, imageNames);
    const row = make("li", {className: entry.outcome}, mark, " ", label);
    if (entry.file.written !== "missing") {
        row.append(" ", make("span", {className: "size"}, t.size(entry.file.length)));
    }
    if (words === null) {
        row.append(" ", make("span", {className: "note"}, t.whole));
    } else {
        row.append(" ", make("span", {className: "why"}, words));
    }
    const fate = mergeFates && mergeFates[entry.disk.index] && mergeFates[entry.disk.index].get(name);
    if (fate) {
        row.append(" ", make("span", {className: "merge " + fate.key}, "— " + mergeWords(t, fate)));
    }
    return row;
}

// What d88cut made of a disk, in words.
function diskWords(t, disk, choice) {
    const byProbes = disk.byProbes === null ? t.noKind : disk.byProbes;
    if (disk.verdict === "unsupported") {
        return t.unsupported;
    }
    if (disk.verdict === "unknown sum") {
        return t.unknownSum(disk.probe);
    }
    if (disk.forced) {
        return t.forced(disk.kind, choice.diskNumber, byProbes);
    }
    if (choice.diskNumber !== 0 && choice.diskNumber !== disk.number) {
        return t.overridden(disk.kind, choice.diskNumber);
    }
    return disk.kind;
}

function diskItem(t, image, disk, imageNames, downloadLink) {
    const heading = make("span", {className: "kind"}, t.disk(disk.index, image.outcome.disks.length) + ": " +
                         diskWords(t, disk, image.outcome.choice));
    const item = make("li", {className: disk.verdict === "recognised" ? "disk" : "disk other"}, heading);
    if (disk.verdict !== "recognised" && disk.headerDoubts.length > 0) {
        item.append(make("span", {className: "note"}, " — " + t.headerDoubts));
    }
    if (disk.verdict === "recognised" && !disk.hasFiles) {
        item.append(make("span", {className: "note"}, " — " + t.nothingOnDisk));
    }
    const rows = image.entries.filter((entry) => entry.disk === disk)
                     .map((entry) => fileRow(t, entry, imageNames, downloadLink, image.mergeFates));
    if (rows.length > 0) {
        item.append(make("ul", {className: "files"}, ...rows));
    }
    return item;
}

// What an image is, in words.
export function imageWords(t, image) {
    const kind = imageKind(image);
    switch (kind.key) {
        case "noneOfSet":
            return t.noneOfSet(kind.disks);
        case "someOfSet":
            return t.someOfSet(kind.disks, kind.ofTheSet);
        case "tooLarge":
            return t.tooLarge(image.size, image.most);
        case "unreadable":
            return t.unreadable(image.error);
        default:
            return t[kind.key];
    }
}

// d88cut's messages about an image, folded under a line that counts them
// and its warnings; open when the run failed, so its errors are seen.
function messagesOf(t, cut) {
    const warnings = cut.log.filter((line) => line.stream !== "stdout" && !line.error).length;
    const errors = cut.log.filter((line) => line.error).length;
    const part = make("details", {className: "messages", open: errors > 0},
                      make("summary", {}, t.messageSummary(cut.log.length, warnings, errors)));
    part.append(make("ul", {}, ...cut.log.map((line) =>
        make("li", {className: line.stream === "stdout" ? "" : line.error ? "error" : "warning"}, line.text))));
    return part;
}

// The listing of every image into `list`: an image that is no D88 image gets
// its line alone.
export function showListing(list, t, images, downloadLink) {
    const imageNames = images.map((image) => image.name);
    for (const image of images) {
        const isD88 = image.outcome !== null && image.outcome !== undefined && image.outcome.image.d88;
        const disks = isD88 ? image.outcome.disks : [];
        const item = make("li", {className: "image"},
                          make("span", {className: "image-name"}, image.name),
                          make("span", {className: "what"}, " — " + imageWords(t, image)));
        if (image.cut && image.cut.log.length > 0) {
            item.append(messagesOf(t, image.cut));
        }
        if (disks.length > 0) {
            item.append(make("ol", {className: "disks"},
                             ...disks.map((disk) => diskItem(t, image, disk, imageNames, downloadLink))));
        }
        list.append(item);
    }
}

// The status line's counts: "50 files whole, 2 with damaged records, ...",
// the outcomes that happened only; null when no file was listed.
export function countWords(t, counts) {
    const parts = Object.keys(t.counts).filter((name) => counts[name] > 0)
                      .map((name) => t.counts[name](counts[name]));
    return parts.length === 0 ? null : parts.join(t.listSeparator);
}
