// The order the page cuts images in, as a person orders their names, and the
// name of the zip of their files.
"use strict";

const assert = require("assert");
const path = require("path");
const {test} = require("node:test");

const names = import(path.join(__dirname, "..", "page", "names.js"));

test("images are cut in the order a person reads their names", async () => {
    const {naturalCompare} = await names;
    const cases = [
        // names as chosen, in the order they are cut
        [["disk10.d88", "disk2.d88", "disk1.d88"], ["disk1.d88", "disk2.d88", "disk10.d88"]],
        // leading zeros count for nothing: disk01 is the first, before disk2
        [["disk2.d88", "disk01.d88", "disk10.d88"], ["disk01.d88", "disk2.d88", "disk10.d88"]],
        [["Set (Disk 10).d88", "set (disk 9).d88"], ["set (disk 9).d88", "Set (Disk 10).d88"]],
        [["b.d88", "A.d88", "a.d88"], ["A.d88", "a.d88", "b.d88"]],
    ];
    for (const [given, expected] of cases) {
        assert.deepStrictEqual([...given].sort(naturalCompare), expected, given.join(" "));
    }
});

test("the zip is named after what the images share", async () => {
    const {zipName} = await names;
    const cases = [
        [[], "d88cut.zip"],
        [["Game.d88"], "Game.zip"],
        [["Game (Disk 1).d88", "Game (Disk 2).d88"], "Game.zip"],
        [["a.d88", "b.d88"], "d88cut.zip"],
    ];
    for (const [images, expected] of cases) {
        assert.strictEqual(zipName(images), expected, images.join(" "));
    }
});

test("the merged image is named after its first dump", async () => {
    const {mergedName} = await names;
    for (const [first, expected] of [["Game (Disk 2).d88", "Game (Disk 2) (merged).d88"], ["dump.D88", "dump (merged).d88"],
                                     ["noextension", "noextension (merged).d88"]]) {
        assert.strictEqual(mergedName(first), expected, first);
    }
});
