// What the page's tests share: where the native build and the module are, the
// images they run on, and runs of the native tools in a folder laid out as the
// module's file system is, so both see the same paths.
"use strict";

const fs = require("fs");
const os = require("os");
const path = require("path");
const {spawnSync} = require("child_process");
const D88Runner = require("../page/runner.js");

const root = path.join(__dirname, "..", "..");
// Folders named relative to where the tests were started.
const nativeBuild = path.resolve(process.env.D88CUT_NATIVE_BUILD || path.join(root, "build"));
const webBuild = path.resolve(process.env.D88CUT_WEB_BUILD || path.join(root, "build-web", "web"));
const nativeTools = {
    d88cut: path.join(nativeBuild, "d88cut"),
    d88info: path.join(nativeBuild, "src", "info", "d88info"),
    d88merge: path.join(nativeBuild, "src", "merge", "d88merge"),
};
const imageBuilder = path.join(nativeBuild, "tools", "d88mkimage");

function mustExist(file, what) {
    if (!fs.existsSync(file)) {
        throw new Error(what + " is missing: " + file + " (build it first)");
    }
}

// A scratch folder removed when the process ends.
function scratchFolder() {
    const folder = fs.mkdtempSync(path.join(os.tmpdir(), "d88web-test-"));
    process.on("exit", () => fs.rmSync(folder, {recursive: true, force: true}));
    return folder;
}

function build(mode, out) {
    mustExist(imageBuilder, "d88mkimage");
    const made = spawnSync(imageBuilder, [mode, out]);
    if (made.status !== 0) {
        throw new Error("d88mkimage " + mode + " failed: " + made.stderr);
    }
}

// Every image the tests run on, by name: the sample, the 64-disk image, the
// damaged sample, each image of the fuzz seeds, an empty file and a file that
// is no image.
function testImages() {
    const folder = scratchFolder();
    const images = new Map();
    build("sample", path.join(folder, "sample.d88"));
    build("large", path.join(folder, "large.d88"));
    const seeds = path.join(folder, "seeds");
    fs.mkdirSync(seeds);
    build("seeds", seeds);
    build("damaged", path.join(folder, "damaged.d88"));
    images.set("sample", fs.readFileSync(path.join(folder, "sample.d88")));
    images.set("damaged", fs.readFileSync(path.join(folder, "damaged.d88")));
    images.set("large", fs.readFileSync(path.join(folder, "large.d88")));
    for (const name of fs.readdirSync(seeds).sort()) {
        images.set("seed " + name, fs.readFileSync(path.join(seeds, name)));
    }
    images.set("empty", Buffer.alloc(0));
    images.set("junk", Buffer.from("This is a text file, not a disk image.\n".repeat(200)));
    return images;
}

// Three dumps of the eight disks, each damaged where the others are good
// ("dump1.d88" to "dump3.d88"), as {name, bytes}.
function setDumps() {
    const folder = scratchFolder();
    build("dumps", folder);
    return fs.readdirSync(folder).sort().map((name) => ({name, bytes: fs.readFileSync(path.join(folder, name))}));
}

// The eight disks of the set, each an image of its own named after its disk
// number and kind ("Set (Disk 1 - Opening Disk).d88" to "Set (Disk 8 - Demo
// Disk 2).d88"), as {name, bytes}.
function setDiskImages() {
    const folder = scratchFolder();
    build("disks", folder);
    return fs.readdirSync(folder).sort().map((name) => ({name, bytes: fs.readFileSync(path.join(folder, name))}));
}

// d88cut run on each of `images` ({name, bytes}) in turn, in one folder, with
// `args` after the image: the files it leaves there, sorted by name.
function cutNativeInTurn(images, args) {
    mustExist(nativeTools.d88cut, "d88cut");
    const folder = scratchFolder();
    const output = path.join(folder, "out");
    fs.mkdirSync(output);
    for (const image of images) {
        const file = path.join(folder, image.name);
        fs.writeFileSync(file, image.bytes);
        const run = spawnSync(nativeTools.d88cut, [file, ...args], {cwd: output});
        if (run.error || run.status !== 0) {
            throw new Error("d88cut failed on " + image.name + ": " + (run.error || run.stderr));
        }
    }
    return fs.readdirSync(output).sort().map((name) => ({name, bytes: fs.readFileSync(path.join(output, name))}));
}

// Runs a native tool as the module runs it: named `tool`, in an empty output
// folder, with the image at D88Runner.imageArgument from there.
function runNative(tool, args, imageBytes, moreImages = []) {
    mustExist(nativeTools[tool], tool);
    const folder = scratchFolder();
    const input = path.join(folder, "in");
    const output = path.join(folder, "out");
    fs.mkdirSync(input);
    fs.mkdirSync(output);
    if (imageBytes !== null) {
        fs.writeFileSync(path.join(input, "image.d88"), imageBytes);
    }
    for (const more of moreImages) {
        fs.writeFileSync(path.join(input, more.name), more.bytes);
    }
    // The native tools take no language from the developer's locale: the
    // module in Node speaks English unless told otherwise, and so must they.
    const env = Object.fromEntries(Object.entries(process.env)
                                       .filter(([name]) => !["LC_ALL", "LC_MESSAGES", "LANG"].includes(name)));
    const run = spawnSync(nativeTools[tool], args, {cwd: output, argv0: tool, maxBuffer: 1 << 28, env});
    if (run.error) {
        throw run.error;
    }
    const files = fs.readdirSync(output).sort().map((name) => ({
        name,
        bytes: fs.readFileSync(path.join(output, name)),
    }));
    fs.rmSync(folder, {recursive: true, force: true});
    return {status: run.status, stdout: run.stdout, stderr: run.stderr, files};
}

async function compiledModule() {
    const wasm = path.join(webBuild, "d88web.wasm");
    mustExist(wasm, "the module");
    return WebAssembly.compile(fs.readFileSync(wasm));
}

function moduleFactory() {
    return require(path.join(webBuild, "d88web.js"));
}

module.exports = {D88Runner, testImages, setDiskImages, setDumps, runNative, cutNativeInTurn, compiledModule, moduleFactory,
                  scratchFolder};
