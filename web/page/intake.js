// The images the user hands the page: files chosen, a folder chosen, or
// files and folders dropped anywhere on the window.

// A folder's images: its files named *.d88, in it or in folders inside it.
const isImageName = (name) => /\.d88$/i.test(name);

// Every file under a dropped folder entry, read batch by batch as the
// browser hands them out.
async function filesUnder(entry) {
    if (entry.isFile) {
        return [await new Promise((resolve, reject) => entry.file(resolve, reject))];
    }
    const reader = entry.createReader();
    const files = [];
    for (;;) {
        const batch = await new Promise((resolve, reject) => reader.readEntries(resolve, reject));
        if (batch.length === 0) {
            return files;
        }
        for (const child of batch) {
            files.push(...(await filesUnder(child)));
        }
    }
}

// The files a drop carries: each file dropped as it is, and the images of
// each folder dropped. `folders` counts the folders among them.
export async function droppedFiles(dataTransfer) {
    const items = [...(dataTransfer.items || [])].filter((item) => item.kind === "file");
    // Entries must be taken before the first wait: the drop's data goes away after it.
    const entries = items.map((item) => (item.webkitGetAsEntry ? item.webkitGetAsEntry() : null));
    const plain = items.map((item) => item.getAsFile());
    const files = [];
    let folders = 0;
    for (let i = 0; i < items.length; ++i) {
        if (entries[i] && entries[i].isDirectory) {
            ++folders;
            files.push(...(await filesUnder(entries[i])).filter((file) => isImageName(file.name)));
        } else if (plain[i]) {
            files.push(plain[i]);
        }
    }
    if (items.length === 0) {
        files.push(...(dataTransfer.files || []));
    }
    return {files, folders};
}

// The images of a folder chosen with the folder picker.
export function folderFiles(fileList) {
    return [...fileList].filter((file) => isImageName(file.name));
}
