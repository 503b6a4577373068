// The order images are cut in, and the name of the zip of their files.

// Compares two file names as a person orders them: runs of digits by their
// value ("disk2" before "disk10"), the rest without regard to case.
export function naturalCompare(a, b) {
    const partsA = a.toLowerCase().match(/\d+|\D+/g) || [];
    const partsB = b.toLowerCase().match(/\d+|\D+/g) || [];
    for (let i = 0; i < Math.min(partsA.length, partsB.length); ++i) {
        const x = partsA[i];
        const y = partsB[i];
        if (x === y) {
            continue;
        }
        if (/^\d/.test(x) && /^\d/.test(y)) {
            const valueX = x.replace(/^0+(?=\d)/, "");
            const valueY = y.replace(/^0+(?=\d)/, "");
            if (valueX.length !== valueY.length) {
                return valueX.length - valueY.length;
            }
            if (valueX !== valueY) {
                return valueX < valueY ? -1 : 1;
            }
            continue;
        }
        return x < y ? -1 : 1;
    }
    if (partsA.length !== partsB.length) {
        return partsA.length - partsB.length;
    }
    return a < b ? -1 : a > b ? 1 : 0;
}

const withoutExtension = (name) => name.replace(/\.[^.]*$/, "") || name;

// What names share at their start, less what only begins to tell them
// apart: "Game (Disk 1)" and "Game (Disk 2)" share "Game".
function sharedStart(names) {
    let shared = Array.from(names[0]);
    for (const name of names.slice(1)) {
        const chars = Array.from(name);
        let i = 0;
        while (i < shared.length && i < chars.length && shared[i] === chars[i]) {
            ++i;
        }
        shared = shared.slice(0, i);
    }
    let text = shared.join("");
    // A bracket opened and not closed is where the names begin to differ.
    const open = Math.max(...["(", "[", "（", "【", "「"].map((bracket) => text.lastIndexOf(bracket)));
    if (open >= 0 && !/[)\]）】」]/.test(text.slice(open))) {
        text = text.slice(0, open);
    }
    // Separators, and a word such as "Disk" that the numbers followed.
    const trailing = /(?:[\s_\-.,:;#+~・　]|(?<![\p{L}\p{N}])(?:disk|disc|side|vol|ディスク))+$/iu;
    return text.replace(trailing, "");
}

// The zip's name: after the image when there is one, after the name the
// images share when there are several, else "d88cut.zip".
export function zipName(imageNames) {
    if (imageNames.length === 0) {
        return "d88cut.zip";
    }
    const bases = imageNames.map(withoutExtension);
    const name = bases.length === 1 ? bases[0] : sharedStart(bases);
    return (name === "" ? "d88cut" : name) + ".zip";
}

// The merged image's name, after the first of its dumps: "Game (merged).d88".
export function mergedName(firstName) {
    return withoutExtension(firstName) + " (merged).d88";
}
