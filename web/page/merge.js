// Dumps of the same disks merged into one image, as d88merge on the command
// line merges them: when the images chosen hold a disk of the set more than
// once, the page offers to merge them; d88merge runs in the module with
// --json and -o, and its report says, for each file of the merged image,
// what the merge did for it.
import D88Runner from "./runner.js";

// The name d88merge writes the merged image under in the module.
const outputName = "merged.d88";

// Whether `images`, by their accounts (d88info --files --json), are dumps of
// the same disks, as d88merge joins them: every one a D88 image, some kind of
// disk of the set held by two or more of them, and, when each holds a single
// disk (which d88merge takes as dumps of one disk), all of one kind.
export function offersMerge(images) {
    if (images.length < 2 || !images.every((image) => image.outcome && image.outcome.image.d88)) {
        return false;
    }
    const kindsOf = (image) => new Set(image.outcome.disks.filter((disk) => disk.verdict === "recognised")
                                           .map((disk) => disk.kind));
    if (images.every((image) => image.outcome.disks.length === 1)) {
        const kinds = images.map((image) => [...kindsOf(image)].join());
        return kinds[0] !== "" && kinds.every((kind) => kind === kinds[0]);
    }
    const seen = new Set();
    for (const image of images) {
        for (const kind of kindsOf(image)) {
            if (seen.has(kind)) {
                return true;
            }
            seen.add(kind);
        }
    }
    return false;
}

// Merges `dumps` ({name, bytes}, in the order chosen) in the module. Resolves
// to {status, report, bytes}: d88merge's exit status, its parsed report and
// the merged image's bytes, or a null report and null bytes when it failed,
// with its standard error as `error`.
export async function mergeDumps(compiled, createModule, dumps) {
    const [first, ...others] = dumps;
    // The images after the first are given the names of their places, so that
    // no name chosen can clash with the first's or be read as an option.
    const more = others.map((dump, i) => ({name: `dump${i + 1}.d88`, bytes: dump.bytes}));
    const args = ["--json", "-o", outputName, D88Runner.imageArgument, ...more.map((dump) => "../in/" + dump.name)];
    const run = await D88Runner.run(compiled, createModule, "d88merge", args, first.bytes.slice(), more);
    const written = run.files.find((file) => file.name === outputName);
    if (run.status === 1 || !written) {
        return {status: run.status, report: null, bytes: null, error: new TextDecoder().decode(run.stderr)};
    }
    return {status: run.status, report: JSON.parse(new TextDecoder().decode(run.stdout)), bytes: written.bytes};
}

// What the merge did for a file of the merged image: "wholeNow" with the
// dumps in which it was not whole, "wholeEverywhere", or "notWhole".
function fileFate(file, dumpNames) {
    if (file.merged.state !== "whole") {
        return {key: "notWhole", dumps: []};
    }
    const notWhole = file.dumps.map((fate, member) => (fate.state === "whole" ? null : dumpNames[member]))
                         .filter((name) => name !== null);
    return {key: notWhole.length === 0 ? "wholeEverywhere" : "wholeNow", dumps: notWhole};
}

// The merge's word on each file: per disk of the merged image, in its order
// (the report's), a map from the file's name. Each dump of a disk is named
// by the image it came from.
export function fileFates(report, dumpNames) {
    return report.disks.map((disk) => {
        const names = disk.members.map((member) => dumpNames[member.image]);
        return new Map(disk.files.map((file) => [file.name, fileFate(file, names)]));
    });
}
