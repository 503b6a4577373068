// What became of every file when several images are cut in turn into one
// folder, as the command line run on each would leave them: each image's own
// account (d88info --files --json) with a file replaced where a later image
// writes one of the same name, and the files left, from d88cut's runs.

export const outcomeNames = ["whole", "damaged", "partly", "missing", "replaced"];

// `images` in the order they were cut, each with `outcome` (the parsed JSON,
// or null) and `cut` (d88cut's run, or null). Returns the files left, by
// name, with the image that wrote them; each file entry's final outcome; the
// counts of the outcomes; and the first file whose account and d88cut's run
// disagree, if any.
export function combine(images) {
    const left = new Map();
    images.forEach((image, index) => {
        for (const file of image.cut ? image.cut.files : []) {
            left.set(file.name, {bytes: file.bytes, image: index});
        }
    });
    const counts = Object.fromEntries(outcomeNames.map((name) => [name, 0]));
    let disagreement = null;
    images.forEach((image, index) => {
        image.entries = [];
        if (!image.outcome) {
            return;
        }
        const ownFiles = new Map();
        for (const disk of image.outcome.disks) {
            for (const file of disk.files) {
                const entry = {disk, file, outcome: file.outcome, replacedByImage: null, bytes: null};
                if (file.written !== "missing" && file.replacedBy === null) {
                    ownFiles.set(file.name, file.length);
                    const kept = left.get(file.name);
                    if (kept && kept.image > index) {
                        entry.outcome = "replaced";
                        entry.replacedByImage = kept.image;
                    } else if (kept) {
                        entry.bytes = kept.bytes;
                    }
                }
                image.entries.push(entry);
                ++counts[entry.outcome];
            }
        }
        // d88cut's own run must have left exactly the files the account names.
        const cutFiles = image.cut ? image.cut.files : [];
        for (const file of cutFiles) {
            if (ownFiles.get(file.name) !== file.bytes.length) {
                disagreement = disagreement || file.name;
            }
        }
        for (const name of ownFiles.keys()) {
            if (!cutFiles.some((file) => file.name === name)) {
                disagreement = disagreement || name;
            }
        }
    });
    return {left, counts, disagreement};
}

// What an image is, as a key of the page's texts and its numbers.
export function imageKind(image) {
    if (image.problem) {
        return {key: image.problem};
    }
    const summary = image.outcome.image;
    if (summary.bytes === 0) {
        return {key: "empty"};
    }
    if (summary.disks === 0) {
        return {key: "tooShort"};
    }
    if (!summary.d88) {
        return {key: "notD88"};
    }
    if (summary.disksOfTheSet === 0) {
        return {key: "noneOfSet", disks: summary.disks};
    }
    return {key: "someOfSet", disks: summary.disks, ofTheSet: summary.disksOfTheSet};
}
