// The page: takes images from the file pickers or a drop anywhere on it,
// cuts them in name order as the command line would in one folder, and shows
// for each image what it is, for each disk what d88cut made of it, and every
// file with what became of it (d88info --files --json), each file left and
// all of them as one zip to download, d88cut's messages, and d88info's
// picture of each image (one legend for all of them). Dumps of the same disks
// it offers to merge, and then cuts the merged image instead. In English or
// Japanese, as the user prefers.
import {zipSync} from "fflate";
import {languages, rememberLanguage, startingLanguage, textsOf} from "./i18n.js";
import {droppedFiles, folderFiles} from "./intake.js";
import {countWords, imageWords, make, showListing} from "./listing.js";
import {fileFates, mergeDumps, offersMerge} from "./merge.js";
import {mergedName, naturalCompare, zipName} from "./names.js";
import {combine} from "./outcomes.js";
import {applyZoom, connectDetails, defaultZoom, dropLegend} from "./picture.js";
import D88Runner from "./runner.js";

(() => {
    // The largest image the page takes: the images and every file cut are
    // held in memory. A real D88 file of 64 disks is under 100 MB.
    const maxImageBytes = 256 * 1024 * 1024;

    const shiftJis = new TextDecoder("shift_jis");
    const element = (id) => document.getElementById(id);
    const picker = element("images");
    const folderPicker = element("folder");
    const choice = element("choice");
    const diskNumber = element("disk-number");
    const status = element("status");
    const result = element("result");
    const drawing = element("picture-drawing");
    const pictureFigure = element("picture");
    const overlay = element("drop-overlay");
    const mergeOffer = element("merge-offer");
    const mergeChosen = element("merge-chosen");
    const details = connectDetails(drawing, element("details-text"));

    let language = startingLanguage();
    let t = textsOf(language);
    let compiled = null;
    // The zoom the user chose, or null for the one that suits the frame.
    let chosenZoom = null;
    const zoom = () => chosenZoom || defaultZoom(drawing);
    // The images of the last choice or drop, in the order they are cut, and
    // what came of them; each cut's number drops the work of an earlier one.
    let images = [];
    // The images chosen: the ones cut, or the dumps merged into the one cut.
    let chosenImages = [];
    let shown = null;
    let cutNumber = 0;
    // The same for the pictures, which a change of language draws again.
    let pictureNumber = 0;
    let downloadUrls = [];
    // The status line: a text of the page's, by its key and its arguments, so
    // that it can be written again in another language.
    let statusSays = {key: "loading", args: [], isError: false};

    function setStatus(key, args = [], isError = false) {
        statusSays = {key, args, isError};
        const text = t[key];
        status.textContent = typeof text === "function" ? text(...args) : text;
        status.className = isError ? "error" : "";
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

    // The page's own texts in the chosen language, and the results shown
    // written again in it.
    function applyLanguage() {
        t = textsOf(language);
        document.documentElement.lang = language;
        for (const node of document.querySelectorAll("[data-text]")) {
            const text = t[node.dataset.text];
            if (Array.isArray(text)) {
                node.replaceChildren(text[0], make("strong", {}, text[1]), text[2]);
            } else if (typeof text === "string") {
                node.textContent = text;
            }
        }
        element("footer").textContent = t.footer(element("footer").dataset.version);
        for (const button of document.querySelectorAll("#language button")) {
            button.setAttribute("aria-pressed", String(button.dataset.language === language));
        }
        setStatus(statusSays.key, statusSays.args, statusSays.isError);
        if (shown) {
            showResult(shown);
            redrawPictures().catch(failed);
        }
    }

    function forgetResult() {
        ++cutNumber;
        ++pictureNumber;
        shown = null;
        downloadUrls.forEach((url) => URL.revokeObjectURL(url));
        downloadUrls = [];
        for (const id of ["zip", "merged", "listing"]) {
            element(id).replaceChildren();
        }
        drawing.replaceChildren();
        details.forget();
        element("details-text").textContent = t.detailsEmpty;
        result.hidden = true;
    }

    function offerZip(left) {
        const name = zipName(images.map((image) => image.name));
        const makeZip = () => {
            const entries = {};
            for (const [fileName, file] of left) {
                entries[fileName] = [file.bytes, {level: 0}];
            }
            return zipSync(entries, {level: 0});
        };
        element("zip").append(downloadLink(name, makeZip, "application/zip", t.downloadAll(left.size, name)));
    }

    function summarise(combined) {
        const prefix = images.length === 1 ? images[0].name + ": " : t.imageCount(images.length) + ": ";
        if (images.some((image) => image.cut && image.cut.status !== 0)) {
            return {key: "statusText", args: [prefix + t.toolFailed], isError: true};
        }
        if (combined.disagreement) {
            return {key: "statusText", args: [prefix + t.disagree(combined.disagreement)], isError: true};
        }
        const counts = countWords(t, combined.counts);
        if (counts !== null) {
            return {key: "statusText", args: [prefix + counts + t.period], isError: false};
        }
        const anyOfSet = images.some((image) => image.outcome && image.outcome.image.disksOfTheSet > 0);
        const words = anyOfSet ? t.nothingToCut
                      : images.length === 1 ? imageWords(t, images[0]) + t.period : t.noDiskOfSet;
        return {key: "statusText", args: [prefix + words], isError: !anyOfSet};
    }

    function showResult(combined) {
        for (const id of ["zip", "merged", "listing"]) {
            element(id).replaceChildren();
        }
        showListing(element("listing"), t, images, downloadLink);
        // No picture panel where there is no D88 image to draw.
        pictureFigure.hidden = !images.some((image) => image.outcome && image.outcome.image.d88);
        if (combined.left.size > 0) {
            offerZip(combined.left);
        }
        const mergedImage = images.find((image) => image.mergeFates);
        if (mergedImage) {
            element("merged").append(downloadLink(mergedImage.name, () => mergedImage.bytes, "application/octet-stream",
                                                  t.downloadMerged(mergedImage.name)));
        }
        const said = summarise(combined);
        setStatus(said.key, said.args, said.isError);
        result.hidden = false;
    }

    // d88info's picture of each image that is a D88 image, in the page's
    // language, drawn in the page when it is well-formed SVG (it holds no
    // script: only shapes, text and titles).
    async function drawPictures(number) {
        const languageArgs = language === "ja" ? ["--lang", "ja"] : [];
        for (const image of images) {
            if (!image.outcome || !image.outcome.image.d88) {
                continue;
            }
            const run = await D88Runner.run(compiled, createD88Module, "d88info",
                                            ["--svg", ...languageArgs, D88Runner.imageArgument], image.bytes);
            if (number !== pictureNumber) {
                return;
            }
            const svg = new DOMParser().parseFromString(new TextDecoder().decode(run.stdout), "image/svg+xml");
            const root = svg.documentElement;
            const part = make("section", {className: "picture-of"});
            if (images.length > 1) {
                part.append(make("h3", {}, image.name));
            }
            const drawn = run.status === 0 && root.localName === "svg" &&
                          svg.getElementsByTagName("parsererror").length === 0;
            part.append(drawn ? document.importNode(root, true)
                              : make("p", {className: "note"}, t.noPicture(shiftJis.decode(run.stderr))));
            drawing.append(part);
            // The first picture's legend stands for all of them.
            const pictures = drawing.querySelectorAll("svg");
            if (drawn && pictures.length > 1) {
                dropLegend(pictures[pictures.length - 1]);
            }
            zoomPictures();
        }
    }

    // Runs both tools on each image, as the command line would with the
    // choice made: d88info to account for every file, d88cut to cut them.
    async function cutImages() {
        if (compiled === null || images.length === 0) {
            return;
        }
        performance.mark("d88cut-cut-start");
        forgetResult();
        const number = cutNumber;
        drawing.replaceChildren(make("p", {className: "note"}, t.drawing));
        const choiceArgs = chosenArguments();
        for (const image of images) {
            image.outcome = null;
            image.cut = null;
            if (image.problem) {
                continue;
            }
            const info = await D88Runner.run(compiled, createD88Module, "d88info",
                                             ["--files", "--json", D88Runner.imageArgument, ...choiceArgs], image.bytes);
            image.outcome = info.status === 0 ? JSON.parse(new TextDecoder().decode(info.stdout)) : null;
            const cut = await D88Runner.run(compiled, createD88Module, "d88cut",
                                            [D88Runner.imageArgument, ...choiceArgs], image.bytes);
            image.cut = {
                status: cut.status,
                files: cut.files,
                // Its standard error holds warnings, or errors when it failed.
                log: cut.log.map((line) => ({
                    stream: line.stream,
                    text: shiftJis.decode(line.bytes).replace(/\n$/, ""),
                    error: line.stream === "stderr" && cut.status !== 0,
                })),
            };
            if (number !== cutNumber) {
                return;
            }
        }
        shown = combine(images);
        if (images === chosenImages) {
            mergeOffer.hidden = !offersMerge(chosenImages);
        }
        showResult(shown);
        performance.mark("d88cut-cut-end");
        performance.measure("d88cut-cut", "d88cut-cut-start", "d88cut-cut-end");
        // Drawn after the listing is shown, so the files never wait for it.
        await new Promise((resolve) => setTimeout(resolve, 0));
        if (number === cutNumber) {
            await redrawPictures();
        }
    }

    async function redrawPictures() {
        const number = ++pictureNumber;
        drawing.replaceChildren();
        details.forget();
        element("details-text").textContent = t.detailsEmpty;
        await drawPictures(number);
        if (number === pictureNumber) {
            performance.mark("d88cut-picture-end");
        }
    }

    // Brings the status line into view when it lies outside the window, as
    // it does on a phone once images are chosen: what follows it is the
    // listing. Without motion when the user asks for less of it.
    function revealStatus() {
        const box = status.getBoundingClientRect();
        if (box.top >= 0 && box.bottom <= window.innerHeight) {
            return;
        }
        const still = window.matchMedia("(prefers-reduced-motion: reduce)").matches;
        status.scrollIntoView({block: "start", behavior: still ? "auto" : "smooth"});
    }

    // Takes `files` as the images to cut: read in name order, each checked
    // for size first.
    async function takeImages(files) {
        forgetResult();
        images = [];
        chosenImages = images;
        mergeChosen.checked = false;
        mergeOffer.hidden = true;
        const sorted = [...files].sort((a, b) => naturalCompare(a.name, b.name));
        setStatus("reading", [sorted.length]);
        revealStatus();
        for (const file of sorted) {
            const image = {name: file.name, size: file.size, bytes: null, problem: null};
            if (file.size > maxImageBytes) {
                image.problem = "tooLarge";
                image.most = maxImageBytes;
            } else {
                try {
                    image.bytes = new Uint8Array(await file.arrayBuffer());
                } catch (error) {
                    image.problem = "unreadable";
                    image.error = error.message;
                }
            }
            images.push(image);
        }
        await cutImages();
        revealStatus();
    }

    // Merges the images chosen and cuts the merged image in their place.
    async function cutMerged() {
        forgetResult();
        const number = cutNumber;
        setStatus("merging", [chosenImages.length]);
        const merge = await mergeDumps(compiled, createD88Module, chosenImages);
        if (number !== cutNumber) {
            return;
        }
        if (merge.bytes === null) {
            // The dumps cut each as before, and why they were not merged.
            mergeChosen.checked = false;
            images = chosenImages;
            await cutImages();
            if (cutNumber === number + 1) {
                setStatus("mergeFailed", [merge.error.trim()], true);
            }
            return;
        }
        const name = mergedName(chosenImages[0].name);
        images = [{name, size: merge.bytes.length, bytes: merge.bytes, problem: null,
                   mergeFates: fileFates(merge.report, chosenImages.map((image) => image.name))}];
        await cutImages();
    }

    function failed(error) {
        setStatus("failed", [error.message], true);
        console.error(error);
    }

    // The argument after the image that the choice made stands for, if any.
    function chosenArguments() {
        const mode = choice.querySelector("input[name=mode]:checked").value;
        diskNumber.disabled = mode !== "disk";
        return mode === "disk" ? [diskNumber.value] : mode === "" ? [] : [mode];
    }

    function takeChosen(input, filesOf) {
        performance.mark("d88cut-chosen");
        const files = filesOf(input.files);
        // Cleared, so that choosing the same files again cuts them again.
        input.value = "";
        if (files.length === 0) {
            setStatus(input === folderPicker ? "noImageInFolder" : "nothingDropped", [], true);
            return;
        }
        takeImages(files).catch(failed);
    }

    picker.addEventListener("change", () => takeChosen(picker, (list) => [...list]));
    folderPicker.addEventListener("change", () => takeChosen(folderPicker, folderFiles));
    mergeChosen.addEventListener("change", () => {
        if (mergeChosen.checked) {
            cutMerged().catch(failed);
        } else {
            images = chosenImages;
            cutImages().catch(failed);
        }
    });
    choice.addEventListener("change", () => {
        chosenArguments();
        cutImages().catch(failed);
    });

    // The whole window takes a drop: never ignored, and never opened by the
    // browser in the page's place.
    let dragDepth = 0;
    window.addEventListener("dragenter", (event) => {
        event.preventDefault();
        ++dragDepth;
        overlay.hidden = false;
    });
    window.addEventListener("dragover", (event) => event.preventDefault());
    window.addEventListener("dragleave", () => {
        dragDepth = Math.max(0, dragDepth - 1);
        overlay.hidden = dragDepth > 0;
    });
    window.addEventListener("drop", (event) => {
        event.preventDefault();
        dragDepth = 0;
        overlay.hidden = true;
        performance.mark("d88cut-chosen");
        if (compiled === null) {
            return;
        }
        droppedFiles(event.dataTransfer)
            .then(({files, folders}) => {
                if (files.length === 0) {
                    setStatus(folders > 0 ? "noImageInFolder" : "nothingDropped", [], true);
                    return undefined;
                }
                return takeImages(files);
            })
            .catch(failed);
    });

    for (const button of document.querySelectorAll("#language button")) {
        button.addEventListener("click", () => {
            language = languages.includes(button.dataset.language) ? button.dataset.language : "en";
            rememberLanguage(language);
            applyLanguage();
        });
    }
    // The pictures at the zoom chosen or suited, its button pressed.
    function zoomPictures() {
        const level = zoom();
        applyZoom(drawing, level);
        for (const button of document.querySelectorAll("#zoom button")) {
            button.setAttribute("aria-pressed", String(button.dataset.zoom === level));
        }
    }

    for (const button of document.querySelectorAll("#zoom button")) {
        button.addEventListener("click", () => {
            chosenZoom = button.dataset.zoom;
            zoomPictures();
        });
    }
    // Until a zoom is chosen, the one that suits the frame's new width.
    window.addEventListener("resize", () => {
        if (chosenZoom === null) {
            zoomPictures();
        }
    });

    applyLanguage();
    WebAssembly.compile(Uint8Array.from(atob(d88WasmBase64), (c) => c.charCodeAt(0)))
        .then(async (module) => {
            // One run before the first image, so that its code is ready by then.
            await D88Runner.run(module, createD88Module, "d88cut", [], null);
            compiled = module;
            picker.disabled = false;
            folderPicker.disabled = false;
            choice.disabled = false;
            chosenArguments();
            setStatus("ready");
            performance.mark("d88cut-ready");
        })
        .catch(failed);
})();
