// The page: takes an image from the file picker or a drop, runs d88cut on it
// with the choice made, and shows per disk what was recognised and cut, each
// file and all of them as one zip to download, and every message as text.
import {zipSync} from "fflate";
import D88Runner from "./runner.js";

(() => {
    // The largest image the page takes: the image and every file cut are held
    // in memory. A real D88 file of 64 disks is under 100 MB.
    const maxImageBytes = 256 * 1024 * 1024;

    // d88cut's messages, as the page reads them once decoded.
    const messagePatterns = {
        recognised: /^(.+) を認識しました\.$/,
        cutting: /^cutting \.\.\. (.+)$/,
        noData: /^このディスクには切り出すデータはありません\.$/,
        unsupported: /^未対応の形式です\.$/,
        partlyRead: /^(.+) の一部を読み込めませんでした\.$/,
    };

    const shiftJis = new TextDecoder("shift_jis");
    const element = (id) => document.getElementById(id);
    const picker = element("image");
    const choice = element("choice");
    const drop = element("drop");
    const status = element("status");
    const result = element("result");

    let compiled = null;
    let currentImage = null;
    let downloadUrls = [];

    function make(tag, attributes, ...children) {
        const node = document.createElement(tag);
        Object.assign(node, attributes);
        node.append(...children);
        return node;
    }

    function setStatus(text, isError) {
        status.textContent = text;
        status.className = isError ? "error" : "";
    }

    // "12,345 bytes", without the cost of starting a locale's number format.
    function sizeText(bytes) {
        return String(bytes).replace(/\B(?=(\d{3})+$)/g, ",") + " bytes";
    }

    // A link that downloads `name`; its bytes are made and handed to the
    // browser only when it is followed, which keeps a cut of many files quick.
    function downloadLink(name, makeBytes, type, label) {
        const link = make("a", {href: "#", download: name}, label);
        link.addEventListener("click", () => {
            if (link.href.startsWith("blob:")) {
                return;
            }
            const url = URL.createObjectURL(new Blob([makeBytes()], {type}));
            downloadUrls.push(url);
            link.href = url;
        });
        return link;
    }

    // Each cut's number: a picture still being drawn for an earlier cut is dropped.
    let cutNumber = 0;

    // Forgets the last run: its listing, its messages, its picture and its downloads.
    function clearResult() {
        ++cutNumber;
        element("picture-drawing").replaceChildren(make("p", {className: "note"}, "Drawing…"));
        downloadUrls.forEach((url) => URL.revokeObjectURL(url));
        downloadUrls = [];
        element("zip").replaceChildren();
        element("disks").replaceChildren();
        element("messages").replaceChildren();
        result.hidden = true;
    }

    // The disks in the order the tool printed them: each starts with its
    // recognition message (or the unsupported-format one) and holds the files
    // cut from it.
    function groupByDisk(lines) {
        const disks = [];
        for (const line of lines) {
            let match;
            if (line.stream === "stdout" && (match = messagePatterns.recognised.exec(line.text))) {
                disks.push({kind: match[1], files: [], notes: []});
            } else if (line.stream === "stderr" && messagePatterns.unsupported.test(line.text)) {
                disks.push({kind: null, files: [], notes: ["not a disk of the set (未対応の形式です)"]});
            } else if (disks.length === 0) {
                continue;
            } else if ((match = messagePatterns.cutting.exec(line.text))) {
                disks[disks.length - 1].files.push({name: match[1], partlyRead: false});
            } else if (messagePatterns.noData.test(line.text)) {
                disks[disks.length - 1].notes.push("nothing to cut on this disk");
            } else if ((match = messagePatterns.partlyRead.exec(line.text))) {
                const file = disks[disks.length - 1].files.find((f) => f.name === match[1]);
                if (file) {
                    file.partlyRead = true;
                }
            }
        }
        return disks;
    }

    function messageClass(line) {
        if (line.stream === "stdout") {
            return "";
        }
        return messagePatterns.partlyRead.test(line.text) || messagePatterns.unsupported.test(line.text)
            ? "warning"
            : "error";
    }

    // One file's row: a link to it and its size, or why there is none.
    function fileRow(file, written, keptByThisDisk) {
        const note = (text, className = "note") => make("span", {className}, " " + text);
        if (!keptByThisDisk) {
            return make("li", {}, file.name, note("(replaced by a later disk's)"));
        }
        if (!written) {
            return make("li", {}, file.name, note("(not written)", "warning"));
        }
        return make("li", {}, downloadLink(file.name, () => written.bytes, "application/octet-stream", file.name),
                    note(sizeText(written.bytes.length), "size"),
                    ...(file.partlyRead ? [note("(partly read: zero-filled)", "warning")] : []));
    }

    function showDisks(disks, files) {
        const filesByName = new Map(files.map((file) => [file.name, file]));
        // Where two disks write one name, only the last one's file is there.
        const lastWriter = new Map();
        disks.forEach((disk, index) => disk.files.forEach((file) => lastWriter.set(file.name, index)));
        const list = element("disks");
        disks.forEach((disk, index) => {
            const rows = disk.files.map((file) =>
                fileRow(file, filesByName.get(file.name), lastWriter.get(file.name) === index));
            list.append(make("li", {},
                make("span", {className: "kind"}, disk.kind === null ? "Unknown disk" : disk.kind),
                ...disk.notes.map((note) => make("span", {className: "note"}, " — " + note)),
                make("ul", {className: "files"}, ...rows)));
        });
    }

    function showMessages(lines) {
        const list = element("messages");
        for (const line of lines) {
            list.append(make("li", {className: messageClass(line)}, line.text));
        }
    }

    function zipName(imageName) {
        const base = imageName.replace(/\.[^.]*$/, "");
        return (base === "" ? imageName : base) + ".zip";
    }

    function offerZip(imageName, files) {
        const name = zipName(imageName);
        const makeZip = () => {
            const entries = {};
            for (const file of files) {
                entries[file.name] = [file.bytes, {level: 0}];
            }
            return zipSync(entries, {level: 0});
        };
        const label = "Download " + (files.length === 1 ? "the file" : "all " + files.length + " files") + " as " + name;
        element("zip").append(downloadLink(name, makeZip, "application/zip", label));
    }

    function summary(run, disks) {
        if (run.status !== 0) {
            return ["d88cut could not finish: see the messages below.", true];
        }
        if (run.files.length > 0) {
            const disksCut = disks.filter((disk) => disk.files.length > 0).length;
            const count = (n, what) => n + " " + what + (n === 1 ? "" : "s");
            return [count(run.files.length, "file") + " cut from " + count(disksCut, "disk") + ".", false];
        }
        if (disks.some((disk) => disk.kind !== null)) {
            return ["Disks of the set were found, but none has files to cut.", false];
        }
        return ["No disk of the set was found in this file: it does not look like a D88 image of them.", true];
    }

    // d88info's picture of the image's disks, drawn in the page when it is
    // well-formed SVG (it holds no script: only shapes, text and titles).
    async function drawPicture(number, imageBytes) {
        const run = await D88Runner.run(compiled, createD88Module, "d88info", ["--svg", D88Runner.imageArgument],
                                        imageBytes);
        if (number !== cutNumber) {
            return;
        }
        const drawing = element("picture-drawing");
        const svg = new DOMParser().parseFromString(new TextDecoder().decode(run.stdout), "image/svg+xml");
        const root = svg.documentElement;
        if (run.status !== 0 || root.localName !== "svg" || svg.getElementsByTagName("parsererror").length > 0) {
            drawing.replaceChildren(make("p", {className: "note"}, "No picture: " + shiftJis.decode(run.stderr)));
            return;
        }
        drawing.replaceChildren(document.importNode(root, true));
    }

    async function cut() {
        if (compiled === null || currentImage === null) {
            return;
        }
        performance.mark("d88cut-cut-start");
        clearResult();
        const args = [D88Runner.imageArgument];
        if (choice.value !== "") {
            args.push(choice.value);
        }
        const run = await D88Runner.run(compiled, createD88Module, "d88cut", args,
                                        new Uint8Array(currentImage.bytes));
        const lines = run.log.map((line) => ({
            stream: line.stream,
            text: shiftJis.decode(line.bytes).replace(/\n$/, ""),
        }));
        const disks = groupByDisk(lines);
        showDisks(disks, run.files);
        showMessages(lines);
        if (run.files.length > 0) {
            offerZip(currentImage.name, run.files);
        }
        const [text, isError] = summary(run, disks);
        setStatus(currentImage.name + ": " + text, isError);
        result.hidden = false;
        performance.mark("d88cut-cut-end");
        performance.measure("d88cut-cut", "d88cut-cut-start", "d88cut-cut-end");
        // Drawn after the listing is shown, so the files never wait for it.
        const number = cutNumber;
        await new Promise((resolve) => setTimeout(resolve, 0));
        if (number === cutNumber) {
            await drawPicture(number, new Uint8Array(currentImage.bytes));
            performance.mark("d88cut-picture-end");
        }
    }

    async function takeImage(file) {
        clearResult();
        currentImage = null;
        if (file.size > maxImageBytes) {
            setStatus(file.name + " is " + sizeText(file.size) + ": the page takes images up to " +
                      sizeText(maxImageBytes) + ". Use the command-line d88cut for it.", true);
            return;
        }
        if (file.size === 0) {
            setStatus(file.name + " is empty: there is nothing to cut.", true);
            return;
        }
        setStatus("Reading " + file.name + "…", false);
        try {
            currentImage = {name: file.name, bytes: await file.arrayBuffer()};
        } catch (error) {
            setStatus(file.name + " could not be read: " + error.message, true);
            return;
        }
        await cut();
    }

    function failed(error) {
        setStatus("Something went wrong in the page: " + error.message, true);
        console.error(error);
    }

    picker.addEventListener("change", () => {
        performance.mark("d88cut-chosen");
        if (picker.files.length > 0) {
            takeImage(picker.files[0]).catch(failed);
        }
    });
    choice.addEventListener("change", () => cut().catch(failed));
    drop.addEventListener("dragover", (event) => {
        event.preventDefault();
        drop.classList.add("over");
    });
    drop.addEventListener("dragleave", () => drop.classList.remove("over"));
    drop.addEventListener("drop", (event) => {
        event.preventDefault();
        drop.classList.remove("over");
        const files = event.dataTransfer.files;
        if (files.length !== 1) {
            setStatus("Drop one image file at a time.", true);
            return;
        }
        takeImage(files[0]).catch(failed);
    });
    // A file dropped beside the drop zone is not opened by the browser instead.
    window.addEventListener("dragover", (event) => event.preventDefault());
    window.addEventListener("drop", (event) => event.preventDefault());

    WebAssembly.compile(Uint8Array.from(atob(d88WasmBase64), (c) => c.charCodeAt(0)))
        .then(async (module) => {
            // One run before the first image, so that its code is ready by then.
            await D88Runner.run(module, createD88Module, "d88cut", [], null);
            compiled = module;
            picker.disabled = false;
            choice.disabled = false;
            setStatus("Ready: choose or drop a D88 image.", false);
            performance.mark("d88cut-ready");
        })
        .catch(failed);
})();
