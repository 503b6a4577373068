// The module against the native build: for every test image and every
// choice of the command line, the same exit status, the same bytes on each
// stream and the same files, byte for byte.
"use strict";

const assert = require("assert");
const {test} = require("node:test");
const {D88Runner, testImages, setDumps, runNative, compiledModule, moduleFactory} = require("./tools.js");

const image = D88Runner.imageArgument;

// The command lines of both tools; the usage errors run without an image.
const cutterChoices = [[image], [image, "-op"], ...["1", "2", "3", "4", "5", "6", "7", "8"].map((n) => [image, n])];
const infoChoices = [[image], [image, "-v"], [image, "--utf8"], [image, "-x", "1,1"], ["--svg", image],
                     ["--files", image, "-op"], ["--files", "--json", image], ["--files", "--json", image, "2"]];
const usageRuns = [
    ["d88cut", []],
    ["d88cut", ["--help"]],
    ["d88cut", ["--version"]],
    ["d88cut", [image, "-op", "extra"]],
    ["d88cut", [image, "9"]],
    ["d88cut", ["../in/missing.d88"]],
    ["d88info", []],
    ["d88info", ["../in/missing.d88"]],
];

function sameRun(actual, expected, what) {
    assert.strictEqual(actual.status, expected.status, what + ": exit status");
    assert.deepStrictEqual(Buffer.from(actual.stdout), expected.stdout, what + ": standard output");
    assert.deepStrictEqual(Buffer.from(actual.stderr), expected.stderr, what + ": standard error");
    const files = actual.files.map((file) => ({name: file.name, bytes: Buffer.from(file.bytes)}))
                      .sort((a, b) => (a.name < b.name ? -1 : 1));
    assert.deepStrictEqual(files.map((file) => file.name), expected.files.map((file) => file.name),
                           what + ": file names");
    files.forEach((file, i) => assert.ok(file.bytes.equals(expected.files[i].bytes), what + ": " + file.name));
}

test("the module runs both tools exactly as the native build does", async (t) => {
    const compiled = await compiledModule();
    const createModule = moduleFactory();
    const run = (tool, args, bytes) =>
        D88Runner.run(compiled, createModule, tool, args, bytes === null ? null : new Uint8Array(bytes));

    for (const [name, bytes] of testImages()) {
        await t.test(name, async () => {
            for (const args of cutterChoices) {
                sameRun(await run("d88cut", args, bytes), runNative("d88cut", args, bytes),
                        name + ": d88cut " + args.join(" "));
            }
            for (const args of infoChoices) {
                sameRun(await run("d88info", args, bytes), runNative("d88info", args, bytes),
                        name + ": d88info " + args.join(" "));
            }
        });
    }
    await t.test("usage errors and missing images", async () => {
        for (const [tool, args] of usageRuns) {
            sameRun(await run(tool, args, null), runNative(tool, args, null), tool + " " + args.join(" "));
        }
    });
});

test("a run leaves nothing for the next one", async () => {
    const compiled = await compiledModule();
    const createModule = moduleFactory();
    const images = testImages();
    const sample = new Uint8Array(images.get("sample"));
    const first = await D88Runner.run(compiled, createModule, "d88cut", [image, "-op"], sample.slice());
    const junk = await D88Runner.run(compiled, createModule, "d88cut", [image], new Uint8Array(images.get("junk")));
    assert.strictEqual(junk.files.length, 0);
    const again = await D88Runner.run(compiled, createModule, "d88cut", [image, "-op"], sample.slice());
    assert.deepStrictEqual(again.files.map((f) => f.name), first.files.map((f) => f.name));
    assert.deepStrictEqual(again.stdout, first.stdout);
});

test("d88merge runs in the module exactly as the native build does", async () => {
    const compiled = await compiledModule();
    const createModule = moduleFactory();
    const [first, ...others] = setDumps();
    const named = others.map((dump) => "../in/" + dump.name);
    const choices = [
        ["--lang", "en", image, ...named],
        ["--lang", "ja", image, ...named],
        ["--json", "--lang", "en", "-o", "merged.d88", image, ...named],
        ["--lang", "en", image, named[0], "../in/missing.d88"],
        ["--lang", "en", image],
    ];
    for (const args of choices) {
        const moreImages = others.map((dump) => ({name: dump.name, bytes: new Uint8Array(dump.bytes)}));
        const inModule = await D88Runner.run(compiled, createModule, "d88merge", args, new Uint8Array(first.bytes),
                                             moreImages);
        sameRun(inModule, runNative("d88merge", args, first.bytes, others), "d88merge " + args.join(" "));
    }
});
