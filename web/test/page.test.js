// The page in Debian's Chromium, opened from a file:// address as a user
// would: it cuts images to the native build's files, accounts for every file
// as d88info --files does, zips them, says what each image is, takes several
// images, a folder or a drop, merges dumps of the same disks, speaks Japanese to a Japanese browser and
// English otherwise, makes its picture readable, fits a phone, and never
// touches the network.
"use strict";

const assert = require("assert");
const fs = require("fs");
const path = require("path");
const {test, before, after} = require("node:test");
const {chromium} = require("playwright-core");
const {unzipSync} = require("fflate");
const {D88Runner, testImages, setDiskImages, setDumps, runNative, cutNativeInTurn, scratchFolder} = require("./tools.js");

const pagePath = process.env.D88CUT_PAGE || path.join(__dirname, "..", "..", "build-web", "page", "d88cut.html");
const pageUrl = "file://" + path.resolve(pagePath);
const screenshots = process.env.D88CUT_PAGE_SCREENSHOTS || path.dirname(pagePath);
const shiftJis = new TextDecoder("shift_jis");

let browser;
let images;
let folder;

before(async () => {
    if (!fs.existsSync(pagePath)) {
        throw new Error("the page is missing: " + pagePath + " (bash web/build.sh OUT_DIR)");
    }
    browser = await chromium.launch({
        executablePath: process.env.CHROMIUM || "/usr/bin/chromium",
        args: ["--no-sandbox", "--disable-gpu", "--disable-background-networking", "--disable-component-update",
               "--no-first-run", "--disable-sync"],
    });
    images = testImages();
    folder = scratchFolder();
});

after(async () => {
    await browser.close();
});

// A fresh page whose every request other than the page itself, and every
// error, is written down.
async function openPage({viewport = {width: 1000, height: 900}, locale = "en-US", context = null} = {}) {
    context = context || (await browser.newContext({acceptDownloads: true, viewport, locale}));
    const page = await context.newPage();
    const problems = [];
    page.on("request", (request) => {
        const url = request.url();
        if (url !== pageUrl && !url.startsWith("blob:") && !url.startsWith("data:")) {
            problems.push("request: " + url);
        }
    });
    page.on("pageerror", (error) => problems.push("page error: " + error.message));
    page.on("console", (message) => {
        if (message.type() === "error") {
            problems.push("console error: " + message.text());
        }
    });
    await page.goto(pageUrl);
    await page.waitForFunction(() => !document.getElementById("images").disabled);
    return {page, problems, context};
}

function imageFile(name, bytes, where = folder) {
    const file = path.join(where, name);
    fs.writeFileSync(file, bytes);
    return file;
}

// Waits until the page has said what came of the images it was handed.
async function settled(page, handOver) {
    await page.evaluate(() => (document.getElementById("status").textContent = ""));
    await handOver();
    await page.waitForFunction(() => /:/.test(document.getElementById("status").textContent));
}

const choose = (page, files, input = "#images") => settled(page, () => page.setInputFiles(input, files));
const shownLines = (page, selector) => page.$$eval(selector, (items) => items.map((item) => item.textContent));
const textLines = (bytes) => shiftJis.decode(bytes).split("\n").filter((line) => line !== "");
const statusText = (page) => page.textContent("#status");
// The files offered for download in the listing, with the size each row says.
const offered = (page) => page.$$eval("#listing .files li", (rows) => rows.filter((row) => row.querySelector("a"))
    .map((row) => row.querySelector("a").textContent + " " + row.querySelector(".size").textContent).sort());
const rowsMarked = (page, outcome) => page.$$eval("#listing .files li." + outcome,
                                                  (rows) => rows.map((row) => row.textContent));

async function zipEntries(page) {
    const [download] = await Promise.all([page.waitForEvent("download"), page.locator("#zip a").click()]);
    const entries = unzipSync(fs.readFileSync(await download.path()));
    return {name: download.suggestedFilename(),
            files: Object.keys(entries).sort().map((name) => ({name, bytes: Buffer.from(entries[name])}))};
}

function sameFiles(actual, expected, what) {
    assert.deepStrictEqual(actual.map((file) => file.name), expected.map((file) => file.name), what + ": names");
    actual.forEach((file, i) => assert.ok(file.bytes.equals(expected[i].bytes), what + ": " + file.name));
}

test("the sample is cut to the native files, listed and zipped", async () => {
    const {page, problems, context} = await openPage();
    const native = runNative("d88cut", [D88Runner.imageArgument, "-op"], images.get("sample"));
    await choose(page, imageFile("sample.d88", images.get("sample")));

    assert.strictEqual(await statusText(page), "sample.d88: 52 files whole, 1 replaced by a later disk's.");
    assert.deepStrictEqual(await shownLines(page, "#listing .messages li:not(.warning):not(.error)"), textLines(native.stdout));
    assert.deepStrictEqual(await shownLines(page, "#listing .messages li.warning, #listing .messages li.error"), textLines(native.stderr));
    assert.deepStrictEqual(await offered(page),
                           native.files.map((file) => file.name + " " + file.bytes.length.toLocaleString("en-US") +
                                                      " bytes").sort());
    assert.deepStrictEqual((await shownLines(page, "#listing .kind")).map((kind) => kind.replace(/^\d+\w\w disk of 8: /, "")),
                           textLines(native.stdout).filter((l) => l.endsWith("を認識しました."))
                               .map((l) => l.replace(" を認識しました.", "")));

    const zip = await zipEntries(page);
    assert.strictEqual(zip.name, "sample.zip");
    sameFiles(zip.files, native.files, "zip");
    const [single] = await Promise.all([page.waitForEvent("download"),
                                        page.locator("#listing a", {hasText: "MO00"}).click()]);
    assert.ok(fs.readFileSync(await single.path()).equals(native.files.find((f) => f.name === "MO00").bytes));

    // Beside the files, d88info's picture of the same image: as many cells,
    // of the same states, as the native d88info draws.
    await page.waitForSelector("#picture-drawing svg");
    const nativeSvg = runNative("d88info", ["--svg", D88Runner.imageArgument], images.get("sample")).stdout.toString();
    const cellClasses = (svgText) => [...svgText.matchAll(/class="(rec [^"]*)"/g)].map((m) => m[1]).sort();
    const drawn = await page.$$eval("#picture-drawing .rec", (cells) => cells.map((cell) => cell.getAttribute("class")));
    assert.ok(drawn.length > 0);
    assert.deepStrictEqual(drawn.sort(), cellClasses(nativeSvg));
    assert.deepStrictEqual(problems, []);
    await context.close();
});

test("every file is accounted for, and every image said for what it is", async () => {
    const {page, problems, context} = await openPage();
    // The damaged sample: the files past the end of the file are not on the
    // image, the damaged records inside cut runs are named.
    await choose(page, imageFile("damaged.d88", images.get("damaged")));
    assert.strictEqual(await statusText(page),
                       "damaged.d88: 34 files whole, 2 with damaged records, 5 not on the image, " +
                       "1 replaced by a later disk's.");
    assert.deepStrictEqual((await rowsMarked(page, "missing")).map((row) => row.split(" ")[1]),
                           ["MDEMO108", "MDEMO109", "MDEMO110", "MDEMO111", "MDEMO112"]);
    const damaged = await rowsMarked(page, "damaged");
    assert.strictEqual(damaged.length, 2);
    assert.match(damaged[0], /MP04 .*C16 H1 R2 N3 on track 33 \(data CRC error\)/);
    assert.match(damaged[1], /MP16 .*C20 H0 R4 N3 on track 40 \(normal, deleted mark\)/);
    assert.match((await rowsMarked(page, "replaced"))[0], /MUSDRV .*replaced by the 2nd disk's/);

    // Runs that break off: each file d88cut warns of is marked partly read.
    const gaps = textLines(runNative("d88cut", [D88Runner.imageArgument, "-op"], images.get("seed gaps.d88")).stderr);
    await choose(page, imageFile("gaps.d88", images.get("seed gaps.d88")));
    assert.deepStrictEqual(await shownLines(page, "#listing .messages li.warning"), gaps);
    assert.deepStrictEqual((await rowsMarked(page, "partly")).map((row) => row.split(" ")[1] + " の一部を読み込めませんでした."),
                           gaps.filter((line) => line.endsWith(" の一部を読み込めませんでした.")));
    // Each file d88cut says it could not cut is marked not on the image.
    assert.deepStrictEqual((await rowsMarked(page, "missing")).map((row) => row.split(" ")[1] +
                                                                   " は最初のセクタが読めないため切り出せませんでした."),
                           gaps.filter((line) => line.endsWith(" は最初のセクタが読めないため切り出せませんでした.")));

    // A disk of the set and one that is not: its row, d88cut's warning, and
    // the status line's counts.
    const mixed = Buffer.concat([images.get("seed disk0.d88"), images.get("seed many-ids.d88")]);
    await choose(page, imageFile("mixed.d88", mixed));
    assert.strictEqual(await statusText(page), "mixed.d88: 7 files whole.");
    assert.deepStrictEqual(await shownLines(page, "#listing .what"), [" — a D88 image of 2 disks, 1 of them of the set"]);
    assert.deepStrictEqual(await shownLines(page, "#listing .kind"),
                           ["1st disk of 2: Opening Disk",
                            "2nd disk of 2: not a disk of the set: none of the probe sectors is on track 1"]);
    assert.deepStrictEqual(await shownLines(page, "#listing .messages li.warning"), ["未対応の形式です."]);
    // d88cut's messages are folded under the image, a line counting them.
    assert.strictEqual(await page.locator("#listing .messages li").first().isVisible(), false);
    assert.match(await page.textContent("#listing .messages summary"), /^d88cut's messages: \d+ lines, 1 warning$/);

    const large = imageFile("too-large.d88", "");
    fs.truncateSync(large, 300 * 1024 * 1024);
    const cases = [
        // file, what the status says, whether a zip is offered, whether d88cut's messages are shown
        ["junk.bin", images.get("junk"), "junk.bin: not a D88 image.", false, true],
        // d88cut says that no disk of the set is in it.
        ["empty.d88", images.get("empty"), "empty.d88: an empty file: there is nothing to cut.", false, true],
        ["seed disk3.d88", images.get("seed disk3.d88"),
         "seed disk3.d88: Disks of the set were found, but none has files to cut.", false, true],
        ["too-large.d88", null, "too-large.d88: 314,572,800 bytes: the page takes images up to 268,435,456 " +
         "bytes. Use the command-line d88cut for it.", false, false],
    ];
    const realImage = path.join(process.env.D88CUT_REALDATA || path.join(__dirname, "..", "..", "..", "shared",
                                                                         "realdata"), "HuBASIC_Format_2D.d88");
    if (fs.existsSync(realImage)) {
        cases.push(["HuBASIC_Format_2D.d88", fs.readFileSync(realImage),
                    "HuBASIC_Format_2D.d88: a D88 image of 1 disk, none of them a disk of the set.", false, true]);
    }
    for (const [name, bytes, said, zipped, messages] of cases) {
        await choose(page, bytes === null ? large : imageFile(name, bytes));
        assert.strictEqual(await statusText(page), said, name);
        assert.strictEqual(await page.locator("#zip a").count(), zipped ? 1 : 0, name);
        assert.strictEqual(await page.locator("#listing .messages").count(), messages ? 1 : 0, name);
        // An image that is no D88 image gets its line alone: no disk, no picture.
        const d88 = name === "seed disk3.d88" || name.startsWith("HuBASIC");
        assert.strictEqual(await page.locator("#listing .disks").count(), d88 ? 1 : 0, name);
        assert.strictEqual(await page.locator("#picture").isVisible(), d88, name);
    }
    assert.deepStrictEqual(problems, []);
    await context.close();
});

test("several images, a folder or a drop are cut in name order into one zip", async () => {
    const {page, problems, context} = await openPage();
    // Named so that only an order by the numbers' values cuts the Demo Disk 1
    // (the 7th disk) before the Program Disk (the 2nd), whose MUSDRV then stays.
    const disks = setDiskImages().map(({name, bytes}) => ({name: name.replace("(Disk 2 - ", "(Disk 10 - "), bytes}));
    assert.ok(disks.some((disk) => disk.name === "Set (Disk 10 - Program Disk).d88"), "the Program Disk renamed");
    const byNumber = (image) => Number(image.name.match(/\d+/)[0]);
    const inOrder = [...disks].sort((a, b) => byNumber(a) - byNumber(b));
    const native = cutNativeInTurn(inOrder, ["-op"]);
    const setFolder = path.join(folder, "Set");
    fs.mkdirSync(setFolder);
    const files = disks.map((disk) => imageFile(disk.name, disk.bytes, setFolder));
    fs.writeFileSync(path.join(setFolder, "readme.txt"), "not an image");

    await choose(page, files);
    assert.strictEqual(await statusText(page), "8 images: 52 files whole, 1 replaced by a later disk's.");
    // Eight disks of eight kinds, one to an image: no dumps of the same disk.
    assert.strictEqual(await page.isVisible("#merge-offer"), false);
    // One legend for the eight pictures; no disk named by a number it is not.
    await page.waitForFunction(() => performance.getEntriesByName("d88cut-picture-end").length > 0);
    assert.strictEqual(await page.locator("#picture-drawing svg").count(), 8);
    assert.strictEqual(await page.locator("#picture-drawing g.legend").count(), 1);
    assert.doesNotMatch(await page.textContent("#listing"), /\b[Dd]isk 0\b|ディスク 0/);
    assert.deepStrictEqual(await shownLines(page, "#listing .image-name"), inOrder.map((image) => image.name));
    assert.match((await rowsMarked(page, "replaced"))[0], /MUSDRV .*replaced by the file of Set \(Disk 10 - Program Disk\)\.d88/);
    let zip = await zipEntries(page);
    assert.strictEqual(zip.name, "Set.zip");
    sameFiles(zip.files, native, "zip of the chosen images");

    // The same again from the folder, whose other files are passed over.
    await choose(page, setFolder, "#folder");
    assert.deepStrictEqual(await shownLines(page, "#listing .image-name"), inOrder.map((image) => image.name));
    zip = await zipEntries(page);
    sameFiles(zip.files, native, "zip of the folder");

    // Choosing the same file again cuts it again.
    const cuts = () => page.evaluate(() => performance.getEntriesByName("d88cut-cut").length);
    await choose(page, files[0]);
    const before = await cuts();
    await choose(page, files[0]);
    assert.strictEqual(await cuts(), before + 1);

    // Files dropped anywhere on the page are cut as chosen ones; a drop of
    // no file says so.
    const drop = (items) => settled(page, () => page.evaluate((dropped) => {
        const transfer = new DataTransfer();
        for (const [name, bytes] of dropped) {
            transfer.items.add(new File([new Uint8Array(bytes)], name));
        }
        if (dropped.length === 0) {
            transfer.setData("text/plain", "no file");
        }
        document.querySelector("footer").dispatchEvent(new DragEvent("drop", {dataTransfer: transfer, bubbles: true,
                                                                              cancelable: true}));
    }, items));
    await drop([["b.d88", [...images.get("seed disk7.d88")]], ["a.d88", [...images.get("seed disk6.d88")]]]);
    assert.strictEqual(await statusText(page), "2 images: 2 files whole.");
    assert.deepStrictEqual(await shownLines(page, "#listing .image-name"), ["a.d88", "b.d88"]);
    assert.match(await page.textContent("#zip a"), /all 2 files as d88cut\.zip/);
    await drop([]);
    assert.strictEqual(await statusText(page),
                       "Nothing to cut was dropped: drop .d88 files, or a folder that holds them.");
    assert.deepStrictEqual(problems, []);
    await context.close();
});

test("dumps of the same disks are offered merged, and the merged image is cut, in both languages", async () => {
    const dumps = setDumps();
    const [first, ...others] = dumps;
    const native = runNative("d88merge", ["--json", "-o", "merged.d88", D88Runner.imageArgument,
                                          ...others.map((dump) => "../in/" + dump.name)], first.bytes, others);
    const report = JSON.parse(native.stdout);
    const merged = native.files.find((file) => file.name === "merged.d88").bytes;
    const nativeCut = runNative("d88cut", [D88Runner.imageArgument, "-op"], merged).files;
    const reported = report.disks.flatMap((disk) => disk.files);
    // Each file the merge made whole, with the dumps it was not whole in.
    const byName = (a, b) => (JSON.stringify(a) < JSON.stringify(b) ? -1 : 1);
    const madeWhole = report.disks.flatMap((disk) => disk.files.filter((file) => file.merged.state === "whole").map(
        (file) => [file.name, file.dumps.flatMap((fate, member) => (fate.state === "whole" ? []
                                                                    : [dumps[disk.members[member].image].name]))]))
        .filter(([, notWholeIn]) => notWholeIn.length > 0).sort(byName);
    assert.ok(madeWhole.length > 0, "the dumps are damaged in different places");
    const files = dumps.map((dump) => imageFile(dump.name, dump.bytes));
    const cases = [
        // locale, the offer, the merged image's status line, what a file made whole says
        ["en-US", "These are dumps of the same disk: merge them, and cut the merged image",
         "dump1 (merged).d88: 52 files whole, 1 replaced by a later disk's.",
         /^— whole now: not whole in dump\d\.d88( and dump\d\.d88)?$/],
        ["ja-JP", "これらは同じディスクの別の読み取りです。1 つにまとめて、まとめたイメージから切り出す",
         "dump1 (merged).d88: 完全なファイル 52 個、後のディスクのもので置き換えたもの 1 個。",
         /^— まとめて完全になりました \(dump\d\.d88(、dump\d\.d88)? では完全ではありません\)$/],
    ];
    for (const [locale, offer, said, madeWholeWords] of cases) {
        const {page, problems, context} = await openPage({locale});
        await choose(page, files);
        assert.deepStrictEqual(await shownLines(page, "#listing .image-name"), dumps.map((dump) => dump.name), locale);
        assert.strictEqual(await page.isVisible("#merge-offer"), true, locale);
        assert.strictEqual((await page.textContent("#merge-offer")).trim(), offer, locale);

        await settled(page, () => page.check("#merge-chosen"));
        assert.strictEqual(await statusText(page), said, locale);
        assert.deepStrictEqual(await shownLines(page, "#listing .image-name"), ["dump1 (merged).d88"], locale);
        // Each file marked with what the merge did for it, as d88merge says.
        assert.strictEqual(await page.locator("#listing .files .merge").count(), reported.length, locale);
        const madeWholeRows = await page.$$eval("#listing .files li:has(.merge.wholeNow)", (rows) =>
            rows.map((row) => [row.querySelector("a, .name").textContent, row.querySelector(".merge").textContent]));
        madeWholeRows.forEach(([name, words]) => assert.match(words, madeWholeWords, locale + ": " + name));
        assert.deepStrictEqual(madeWholeRows.map(([name, words]) => [name, dumps.map((dump) => dump.name)
                                                                        .filter((dump) => words.includes(dump))])
                                   .sort(byName), madeWhole, locale);
        // The merged image beside the files, as the native d88merge -o writes
        // it; and what is cut from it, as the native d88cut cuts it.
        const [download] = await Promise.all([page.waitForEvent("download"), page.locator("#merged a").click()]);
        assert.strictEqual(download.suggestedFilename(), "dump1 (merged).d88", locale);
        assert.ok(fs.readFileSync(await download.path()).equals(merged), locale + ": the merged image");
        sameFiles((await zipEntries(page)).files, nativeCut, locale + ": the files cut from the merged image");
        await page.waitForSelector("#picture-drawing svg");
        // The offer and the head of the merged listing, to be looked at.
        await page.screenshot({path: path.join(screenshots, `d88cut-page-merged-${locale}.png`), fullPage: true,
                               clip: {x: 0, y: 0, width: 1000, height: 1500}});

        // Not merged again: each dump cut as before.
        await settled(page, () => page.uncheck("#merge-chosen"));
        assert.deepStrictEqual(await shownLines(page, "#listing .image-name"), dumps.map((dump) => dump.name), locale);
        assert.strictEqual(await page.locator("#merged a").count(), 0, locale);
        assert.deepStrictEqual(problems, [], locale);
        await context.close();
    }

    // Offered only where a disk of the set is there more than once.
    const disks = setDiskImages();
    const program = disks.find((disk) => disk.name.includes("Program Disk"));
    const dataDisk = disks.find((disk) => disk.name.includes("Data Disk 1"));
    const {page, problems, context} = await openPage();
    const offers = [
        // the images chosen, whether the merge is offered
        [[files[0]], false],
        [[files[0], imageFile("program.d88", program.bytes)], true],
        [[imageFile("program.d88", program.bytes), imageFile("program again.d88", program.bytes)], true],
        [[imageFile("program.d88", program.bytes), imageFile("data.d88", dataDisk.bytes)], false],
        [[files[0], imageFile("junk.bin", images.get("junk"))], false],
    ];
    for (const [chosen, offered] of offers) {
        await choose(page, chosen);
        assert.strictEqual(await page.isVisible("#merge-offer"), offered, chosen.map((file) => path.basename(file)).join(", "));
    }
    assert.deepStrictEqual(problems, []);
    await context.close();
});

test("a disk number says what it does, and a new choice cuts again", async () => {
    const {page, problems, context} = await openPage();
    const chooseDisk = async (number) => settled(page, async () => {
        await page.check("#choice input[value=disk]");
        await page.selectOption("#disk-number", number);
    });
    await choose(page, imageFile("sample.d88", images.get("sample")));
    await chooseDisk("2");
    assert.deepStrictEqual(await shownLines(page, "#listing .kind"),
                           ["Its only disk: Opening Disk: its probe sector says so, though you chose disk 2"]);
    const native = runNative("d88cut", [D88Runner.imageArgument, "2"], images.get("sample"));
    assert.deepStrictEqual(await shownLines(page, "#listing .messages li"), textLines(native.stdout));

    await choose(page, imageFile("many-ids.d88", images.get("seed many-ids.d88")));
    assert.deepStrictEqual(await shownLines(page, "#listing .kind"),
                           ["Its only disk: Program Disk: taken as disk 2 because you chose it " +
                            "(its probe sectors alone: not recognised)"]);
    assert.strictEqual(await statusText(page), "many-ids.d88: 28 not on the image.");
    await settled(page, () => page.check("#choice input[value='']"));
    assert.strictEqual(await statusText(page), "many-ids.d88: a D88 image of 1 disk, none of them a disk of the set.");
    assert.deepStrictEqual(problems, []);
    await context.close();
});

test("Japanese for a Japanese browser, English otherwise, and the choice remembered", async () => {
    for (const [locale, language, ready] of [["ja-JP", "ja", "準備ができました"], ["en-US", "en", "Ready"]]) {
        const {page, problems, context} = await openPage({locale});
        assert.strictEqual(await page.getAttribute("html", "lang"), language, locale);
        assert.match(await statusText(page), new RegExp("^" + ready), locale);
        assert.deepStrictEqual(problems, [], locale);
        await context.close();
    }
    const {page, problems, context} = await openPage({locale: "en-US"});
    await choose(page, imageFile("damaged.d88", images.get("damaged")));
    await page.click("#language button[data-language=ja]");
    assert.strictEqual(await page.getAttribute("html", "lang"), "ja");
    assert.strictEqual(await statusText(page), "damaged.d88: 完全なファイル 34 個、損傷したレコードを含むもの 2 個、" +
                       "イメージにないもの 5 個、後のディスクのもので置き換えたもの 1 個。");
    assert.match((await rowsMarked(page, "missing"))[1], /MDEMO109 イメージにありません: トラック 41 の C20 H1 R3 N3 がありません/);
    // d88cut's own messages stay as they are; the picture is drawn again in Japanese.
    assert.strictEqual((await shownLines(page, "#listing .messages li"))[0], "Program Disk を認識しました.");
    await page.waitForFunction(() => document.querySelector("#picture-drawing svg > title") &&
                                     document.querySelector("#picture-drawing svg > title").textContent ===
                                     "d88info: ディスク 2 枚");
    const again = await openPage({context});
    assert.strictEqual(await again.page.getAttribute("html", "lang"), "ja");
    await again.page.click("#language button[data-language=en]");
    assert.match(await statusText(again.page), /^Ready/);
    assert.deepStrictEqual([...problems, ...again.problems], []);
    await context.close();
});

test("the picture zooms, and a tapped or chosen cell shows its record", async () => {
    const {page, problems, context} = await openPage();
    // A file of no picture chosen while the pictures of many earlier images
    // are being drawn: none of theirs ever shows up for it.
    // The junk is chosen the moment the first picture is shown, from the page.
    await page.evaluate((bytes) => {
        const junk = new File([new Uint8Array(bytes)], "junk.bin");
        new MutationObserver((changes, observer) => {
            if (document.querySelector("#picture-drawing svg")) {
                observer.disconnect();
                const transfer = new DataTransfer();
                transfer.items.add(junk);
                const input = document.getElementById("images");
                input.files = transfer.files;
                input.dispatchEvent(new Event("change"));
            }
        }).observe(document.getElementById("picture-drawing"), {childList: true, subtree: true});
    }, [...images.get("junk")]);
    const many = Array.from({length: 8}, (_, i) => imageFile(`copy ${i}.d88`, images.get("seed disk1.d88")));
    await page.setInputFiles("#images", many);
    await page.waitForFunction(() => document.getElementById("status").textContent.startsWith("junk.bin: "));
    await page.waitForTimeout(3000);
    assert.strictEqual(await page.locator("#picture-drawing svg").count(), 0);
    await choose(page, imageFile("sample.d88", images.get("sample")));
    await page.waitForFunction(() => performance.getEntriesByName("d88cut-picture-end").length > 0);
    assert.deepStrictEqual(await shownLines(page, "#picture-drawing svg > title"), ["d88info: 8 disks"]);

    const width = () => page.$eval("#picture-drawing svg", (svg) => svg.getBoundingClientRect().width);
    const own = Number(await page.getAttribute("#picture-drawing svg", "width"));
    for (const [zoom, expected] of [["fit", await page.$eval("#picture-drawing", (frame) => frame.clientWidth)],
                                    ["2", 2 * own], ["1", own]]) {
        await page.click(`#zoom button[data-zoom="${zoom}"]`);
        assert.ok(Math.abs((await width()) - expected) < 1, zoom + ": " + (await width()) + " for " + expected);
    }
    const cell = page.locator("#picture-drawing rect.rec").nth(3);
    await cell.click();
    const title = await cell.locator("title").textContent();
    assert.strictEqual(await page.textContent("#details-text"), title);
    await page.keyboard.press("ArrowRight");
    assert.strictEqual(await page.textContent("#details-text"),
                       await page.locator("#picture-drawing rect.rec").nth(4).locator("title").textContent());
    // Down: the same head's track of the next cylinder.
    const [, cylinder, head] = (await page.textContent("#details-text")).match(/\(C(\d+) H(\d)\)/);
    await page.keyboard.press("ArrowDown");
    assert.match(await page.textContent("#details-text"), new RegExp(`\\(C${Number(cylinder) + 1} H${head}\\)`));
    assert.deepStrictEqual(problems, []);
    await context.close();
});

test("the page works by keyboard and fits 360, 900 and 1,400 px in both languages", async () => {
    for (const locale of ["en-US", "ja-JP"]) {
        for (const width of [360, 900, 1400]) {
            const what = locale + " at " + width + " px";
            const {page, problems, context} = await openPage({viewport: {width, height: 900}, locale});
            await choose(page, imageFile("damaged.d88", images.get("damaged")));
            await page.waitForSelector("#picture-drawing svg");
            const overflow = await page.evaluate(() => document.documentElement.scrollWidth - window.innerWidth);
            assert.ok(overflow <= 0, what + ": wider than the screen by " + overflow + " px");
            // No control is cut off: each lies within the screen, whole.
            const cutOff = await page.$$eval("label, select, button, #status, #listing li, h1, h2", (nodes) =>
                nodes.filter((node) => node.getClientRects().length > 0)
                    .filter((node) => {
                        const box = node.getBoundingClientRect();
                        return box.left < 0 || box.right > window.innerWidth + 0.5 || node.scrollWidth > node.clientWidth + 1;
                    })
                    .map((node) => node.tagName + " " + node.textContent.slice(0, 40)));
            assert.deepStrictEqual(cutOff, [], what);
            // The picture at its default zoom: whole in its frame where the
            // frame is as wide as the picture, its smallest text never under 8 px.
            const shown = await page.$eval("#picture-drawing", (frame) => {
                const svg = frame.querySelector("svg");
                const scale = svg.getBoundingClientRect().width / Number(svg.getAttribute("width"));
                const sizes = [...svg.querySelectorAll("text")].map((text) => parseFloat(getComputedStyle(text).fontSize));
                return {smallest: Math.min(...sizes) * scale, hiddenX: frame.scrollWidth - frame.clientWidth,
                        hiddenY: frame.scrollHeight - frame.clientHeight};
            });
            assert.ok(shown.smallest >= 8 - 1e-6, what + ": smallest text " + shown.smallest + " px");
            if (width >= 1400) {
                assert.deepStrictEqual([shown.hiddenX, shown.hiddenY], [0, 0], what + ": picture hidden by its frame");
            }
            // The zoom's controls on one line.
            const zoomLine = await page.$$eval("#zoom > *", (nodes) => nodes.map((node) => node.getBoundingClientRect()));
            assert.ok(Math.max(...zoomLine.map((box) => box.top)) < Math.min(...zoomLine.map((box) => box.bottom)),
                      what + ": the zoom's controls wrap");
            await page.screenshot({path: path.join(screenshots, `d88cut-page-${locale}-${width}.png`), fullPage: true});
            assert.deepStrictEqual(problems, [], what);
            await context.close();
        }
    }
    // On a phone, the view moves to the status line once images are chosen,
    // with or without motion.
    for (const reducedMotion of ["reduce", "no-preference"]) {
        const context = await browser.newContext({viewport: {width: 360, height: 740}, reducedMotion});
        const {page, problems} = await openPage({context});
        await choose(page, setDiskImages().map((disk) => imageFile(disk.name, disk.bytes)));
        await page.waitForFunction(() => {
            const box = document.getElementById("status").getBoundingClientRect();
            return box.top >= 0 && box.bottom <= window.innerHeight;
        }, null, {timeout: 5000});
        assert.deepStrictEqual(problems, [], reducedMotion);
        await context.close();
    }
    const {page, problems, context} = await openPage({viewport: {width: 360, height: 740}});
    const focused = [];
    for (let i = 0; i < 6; ++i) {
        await page.keyboard.press("Tab");
        focused.push(await page.evaluate(() => document.activeElement.id || document.activeElement.value ||
                                               document.activeElement.tagName));
    }
    assert.ok(focused.includes("images") && focused.includes("folder") && focused.includes("-op"), focused.join(","));
    assert.deepStrictEqual(problems, []);
    await context.close();
});
