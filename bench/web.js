// Measures the browser page in Debian's Chromium, opened from a file://
// address: its size, the time from navigation to ready, and the time from
// choosing images to their files listed (and of that, the cuts themselves),
// for the sample, the 64-disk image and the sample's eight disks as eight
// images chosen at once. Prints a Markdown table of medians. Fails, with no
// number, when the page, Chromium or an image is missing or a cut does not
// list every file.
//   node bench/web.js PAGE [NATIVE_BUILD_DIR]
"use strict";

const fs = require("fs");
const os = require("os");
const path = require("path");
const {spawnSync} = require("child_process");
const {chromium} = require(path.join(__dirname, "..", "web", "node_modules", "playwright-core"));

const [pagePath, nativeBuild = path.join(__dirname, "..", "build")] = process.argv.slice(2);
const rounds = Number(process.env.BENCH_RUNS || 11);

function die(message) {
    console.error("bench/web.js: " + message);
    process.exit(1);
}

if (!pagePath || !fs.existsSync(pagePath)) {
    die("the page is missing: " + pagePath + " (usage: node bench/web.js PAGE [NATIVE_BUILD_DIR])");
}
const mkimage = path.join(nativeBuild, "tools", "d88mkimage");
const work = fs.mkdtempSync(path.join(os.tmpdir(), "d88web-bench-"));
process.on("exit", () => fs.rmSync(work, {recursive: true, force: true}));
// Each case: the images chosen, and what the page must say of them: 52
// names left in all, as later disks write the same names again.
function make(mode, out) {
    const made = spawnSync(mkimage, [mode, out]);
    if (made.status !== 0) {
        die("d88mkimage " + mode + " failed: " + (made.error || made.stderr));
    }
}
make("sample", path.join(work, "set.d88"));
make("large", path.join(work, "large.d88"));
const disks = path.join(work, "disks");
fs.mkdirSync(disks);
make("disks", disks);
const images = [
    ["set", [path.join(work, "set.d88")], "set.d88: 52 files whole, 1 replaced by a later disk's."],
    ["large", [path.join(work, "large.d88")], "large.d88: 52 files whole, 372 replaced by a later disk's."],
    ["eight images", fs.readdirSync(disks).map((name) => path.join(disks, name)),
     "8 images: 52 files whole, 1 replaced by a later disk's."],
];

const median = (values) => values.slice().sort((a, b) => a - b)[Math.floor((values.length - 1) / 2)];
const mark = (page, name) => page.evaluate((n) => performance.getEntriesByName(n).at(-1).startTime, name);

async function main() {
    const browser = await chromium.launch({
        executablePath: process.env.CHROMIUM || "/usr/bin/chromium",
        args: ["--no-sandbox", "--disable-gpu", "--disable-background-networking", "--disable-component-update",
               "--no-first-run", "--disable-sync"],
    });
    const ready = [];
    const cuts = new Map(images.map(([name]) => [name, []]));
    for (let round = 0; round < rounds; ++round) {
        const page = await browser.newPage();
        await page.goto("file://" + path.resolve(pagePath));
        await page.waitForFunction(() => performance.getEntriesByName("d88cut-ready").length > 0);
        ready.push(await mark(page, "d88cut-ready"));
        for (const [name, files, said] of images) {
            await page.evaluate(() => (document.getElementById("status").textContent = ""));
            await page.setInputFiles("#images", files);
            await page.waitForFunction(() => performance.getEntriesByName("d88cut-cut").length > 0 &&
                                             /:/.test(document.getElementById("status").textContent));
            const status = await page.textContent("#status");
            if (status !== said) {
                die(name + ": the page said \"" + status + "\", not \"" + said + "\"");
            }
            const [chosen, cutStart, cutTime] = await page.evaluate(() => [
                performance.getEntriesByName("d88cut-chosen").at(-1).startTime,
                performance.getEntriesByName("d88cut-cut").at(-1).startTime,
                performance.getEntriesByName("d88cut-cut").at(-1).duration,
            ]);
            cuts.get(name).push({listed: cutStart + cutTime - chosen, cut: cutTime});
            await page.evaluate(() => performance.clearMeasures());
        }
        await page.close();
    }
    await browser.close();
    const size = fs.statSync(pagePath).size;
    console.log("| what | median of " + rounds + " |");
    console.log("|---|---|");
    console.log("| page size | " + (size / 1024).toFixed(1) + " KiB (" + size + " bytes) |");
    console.log("| load to ready | " + median(ready).toFixed(1) + " ms |");
    for (const [name, files] of images) {
        const size = files.reduce((sum, file) => sum + fs.statSync(file).size, 0);
        const runs = cuts.get(name);
        console.log("| " + name + " (" + (size / 1e6).toFixed(1) + " MB): chosen to files listed | " +
                    median(runs.map((r) => r.listed)).toFixed(1) + " ms |");
        console.log("| " + name + ": of that, the cut and its listing (the rest is reading the file) | " +
                    median(runs.map((r) => r.cut)).toFixed(1) + " ms |");
    }
}

main().catch((error) => die(error.stack || String(error)));
