// The page in Debian's Chromium, opened from a file:// address as a user
// would: it cuts the sample to the native build's files and messages, zips
// them, turns bad input into a clear message, and never touches the network.
"use strict";

const assert = require("assert");
const fs = require("fs");
const path = require("path");
const {test, before, after} = require("node:test");
const {chromium} = require("playwright-core");
const {unzipSync} = require("fflate");
const {D88Runner, testImages, runNative, scratchFolder} = require("./tools.js");

const pagePath = process.env.D88CUT_PAGE || path.join(__dirname, "..", "..", "build-web", "page", "d88cut.html");
const pageUrl = "file://" + path.resolve(pagePath);
const screenshot = process.env.D88CUT_PAGE_SCREENSHOT || path.join(path.dirname(pagePath), "d88cut-page.png");
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
async function openPage(viewport = {width: 1000, height: 900}) {
    const context = await browser.newContext({acceptDownloads: true, viewport});
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
    await page.waitForFunction(() => !document.getElementById("image").disabled);
    return {page, problems, context};
}

function imageFile(name, bytes) {
    const file = path.join(folder, name);
    fs.writeFileSync(file, bytes);
    return file;
}

// Chooses `file` and waits until the page has said what came of it.
async function choose(page, file) {
    await page.evaluate(() => (document.getElementById("status").textContent = ""));
    await page.setInputFiles("#image", file);
    await page.waitForFunction(() => /:/.test(document.getElementById("status").textContent));
}

const shownLines = (page, selector) => page.$$eval(selector, (items) => items.map((item) => item.textContent));
const textLines = (bytes) => shiftJis.decode(bytes).split("\n").filter((line) => line !== "");

test("the sample is cut to the native files, listed and zipped", async () => {
    const {page, problems, context} = await openPage();
    const native = runNative("d88cut", [D88Runner.imageArgument, "-op"], images.get("sample"));
    await choose(page, imageFile("sample.d88", images.get("sample")));

    assert.deepStrictEqual(await shownLines(page, "#messages li:not(.warning):not(.error)"), textLines(native.stdout));
    assert.deepStrictEqual(await shownLines(page, "#messages li.warning, #messages li.error"), textLines(native.stderr));
    const listed = await shownLines(page, "#disks .files li");
    const expected = native.files.map((file) => file.name + " " + file.bytes.length.toLocaleString("en-US") + " bytes");
    assert.deepStrictEqual(listed.filter((row) => !row.includes("replaced")).sort(), expected.sort());
    assert.deepStrictEqual(await shownLines(page, "#disks .kind"),
                           textLines(native.stdout).filter((l) => l.endsWith("を認識しました."))
                               .map((l) => l.replace(" を認識しました.", "")));

    const zipLink = page.locator("#zip a");
    assert.match(await zipLink.textContent(), /sample\.zip/);
    const [download] = await Promise.all([page.waitForEvent("download"), zipLink.click()]);
    assert.strictEqual(download.suggestedFilename(), "sample.zip");
    const entries = unzipSync(fs.readFileSync(await download.path()));
    assert.deepStrictEqual(Object.keys(entries).sort(), native.files.map((file) => file.name));
    for (const file of native.files) {
        assert.ok(Buffer.from(entries[file.name]).equals(file.bytes), "zip entry " + file.name);
    }
    const [single] = await Promise.all([page.waitForEvent("download"), page.locator("#disks a", {hasText: "MO00"}).click()]);
    assert.ok(fs.readFileSync(await single.path()).equals(native.files.find((f) => f.name === "MO00").bytes));

    // Beside the files, d88info's picture of the same image: as many cells,
    // of the same states, as the native d88info draws.
    await page.waitForSelector("#picture-drawing svg");
    const nativeSvg = runNative("d88info", ["--svg", D88Runner.imageArgument], images.get("sample")).stdout.toString();
    const cellClasses = (svgText) => [...svgText.matchAll(/class="(rec [^"]*)"/g)].map((m) => m[1]).sort();
    const drawn = await page.$$eval("#picture-drawing .rec", (cells) => cells.map((cell) => cell.getAttribute("class")));
    assert.ok(drawn.length > 0);
    assert.deepStrictEqual(drawn.sort(), cellClasses(nativeSvg));

    await page.screenshot({path: screenshot, fullPage: true});
    assert.deepStrictEqual(problems, []);
    await context.close();
});

test("bad input gets a clear message and no zip; each cut starts clean", async () => {
    const {page, problems, context} = await openPage();
    const large = imageFile("too-large.d88", "");
    fs.truncateSync(large, 300 * 1024 * 1024);
    const cases = [
        // file, what the status says, whether a zip is offered
        [imageFile("sample.d88", images.get("sample")), /52 files cut/, true],
        [imageFile("junk.bin", images.get("junk")), /No disk of the set was found/, false],
        [imageFile("empty.d88", images.get("empty")), /is empty/, false],
        [large, /up to 268,435,456 bytes/, false],
        [imageFile("gaps.d88", images.get("seed gaps.d88")), /25 files cut from 1 disk/, true],
    ];
    for (const [file, said, zipped] of cases) {
        await choose(page, file);
        assert.match(await page.textContent("#status"), said, file);
        assert.strictEqual(await page.locator("#zip a").count(), zipped ? 1 : 0, file);
    }
    // The damaged image's files that broke off are warnings, set apart, and
    // marked in the listing.
    const gaps = textLines(runNative("d88cut", [D88Runner.imageArgument, "-op"], images.get("seed gaps.d88")).stderr);
    assert.deepStrictEqual(await shownLines(page, "#messages li.warning"), gaps);
    assert.strictEqual(await page.locator("#disks .files .warning").count(), gaps.length);

    // A dropped image is cut as a chosen one.
    await page.evaluate((bytes) => {
        const dropped = new DataTransfer();
        dropped.items.add(new File([new Uint8Array(bytes)], "dropped.d88"));
        document.getElementById("status").textContent = "";
        document.getElementById("drop").dispatchEvent(new DragEvent("drop", {dataTransfer: dropped, cancelable: true}));
    }, [...images.get("seed disk7.d88")]);
    await page.waitForFunction(() => /:/.test(document.getElementById("status").textContent));
    assert.match(await page.textContent("#status"), /^dropped\.d88: 1 file cut from 1 disk\.$/);
    assert.match(await page.textContent("#zip a"), /the file as dropped\.zip/);

    // Another choice cuts the same image again, from nothing.
    await choose(page, imageFile("sample.d88", images.get("sample")));
    await page.selectOption("#choice", "2");
    await page.waitForFunction(() => /files cut/.test(document.getElementById("status").textContent) &&
                                     document.querySelectorAll("#disks > li").length === 1);
    const native = runNative("d88cut", [D88Runner.imageArgument, "2"], images.get("sample"));
    assert.deepStrictEqual(await shownLines(page, "#messages li"), textLines(native.stdout));
    assert.deepStrictEqual(problems, []);
    await context.close();
});

test("the page works by keyboard and fits a phone's width", async () => {
    const {page, problems, context} = await openPage({width: 360, height: 740});
    await choose(page, imageFile("sample.d88", images.get("sample")));
    const focused = [];
    for (let i = 0; i < 4; ++i) {
        await page.keyboard.press("Tab");
        focused.push(await page.evaluate(() => document.activeElement.id || document.activeElement.tagName));
    }
    assert.ok(focused.includes("image") && focused.includes("choice"), focused.join(","));
    await page.focus("#choice");
    await page.keyboard.press("ArrowDown");
    await page.waitForFunction(() => document.getElementById("choice").value === "");
    const overflow = await page.evaluate(() => document.documentElement.scrollWidth - window.innerWidth);
    assert.ok(overflow <= 0, "wider than the screen by " + overflow + " px");
    await page.screenshot({path: screenshot.replace(/\.png$/, "-phone.png")});
    assert.deepStrictEqual(problems, []);
    await context.close();
});
