// Runs d88cut or d88info, built as one WebAssembly module, on an image held in
// memory, exactly as the command line runs them: the image is a file of an
// in-memory file system, the files cut land in the current folder, and the
// two standard streams are caught as bytes. Every run gets a fresh module, so
// nothing of one run is left for the next; the module is compiled once.
"use strict";

const D88Runner = (() => {
    // Where the image and the files cut lie in the module's file system.
    const inputFolder = "/in";
    const outputFolder = "/out";
    const imageName = "image.d88";
    const imageArgument = "../in/" + imageName;

    // One line as a stream printed it, with its line end; `stream` is
    // "stdout" or "stderr".
    function lineCollector(log, stream) {
        let pending = [];
        const all = [];
        return {
            put(byte) {
                all.push(byte);
                pending.push(byte);
                if (byte === 0x0a) {
                    log.push({stream, bytes: Uint8Array.from(pending)});
                    pending = [];
                }
            },
            finish() {
                if (pending.length > 0) {
                    log.push({stream, bytes: Uint8Array.from(pending)});
                    pending = [];
                }
                return Uint8Array.from(all);
            },
        };
    }

    // The files in the output folder, in the order they were first created.
    function collectFiles(FS) {
        return FS.readdir(outputFolder)
            .filter((name) => name !== "." && name !== "..")
            .map((name) => ({name, bytes: FS.readFile(outputFolder + "/" + name)}));
    }

    // Runs `tool` ("d88cut", "d88info" or "d88merge") with `args`, in which
    // the image is named by D88Runner.imageArgument, and each of `moreImages`
    // ({name, bytes}) by "../in/" and its name. `compiled` is the WebAssembly.Module,
    // `createModule` the loader's factory. Resolves to the exit status, the
    // bytes of each stream, every line in the order printed, and the files.
    async function run(compiled, createModule, tool, args, imageBytes, moreImages = []) {
        const log = [];
        const stdout = lineCollector(log, "stdout");
        const stderr = lineCollector(log, "stderr");
        let exitStatus = null;
        const module = await createModule({
            thisProgram: tool,
            noInitialRun: true,
            instantiateWasm(imports, receive) {
                WebAssembly.instantiate(compiled, imports).then((instance) => receive(instance, compiled));
                return {};
            },
            preRun: [
                (moduleObject) => {
                    const FS = moduleObject.FS;
                    // Devices of their own: not terminals, so the tools print
                    // their bytes exactly as to a pipe.
                    FS.init(null, stdout.put, stderr.put);
                    FS.mkdir(inputFolder);
                    FS.mkdir(outputFolder);
                    if (imageBytes !== null) {
                        FS.writeFile(inputFolder + "/" + imageName, imageBytes, {canOwn: true});
                    }
                    for (const more of moreImages) {
                        FS.writeFile(inputFolder + "/" + more.name, more.bytes);
                    }
                    FS.chdir(outputFolder);
                },
            ],
            onExit(status) {
                exitStatus = status;
            },
            quit(status, toThrow) {
                exitStatus = status;
                throw toThrow;
            },
        });
        const returned = module.callMain(args);
        return {
            status: exitStatus === null ? returned : exitStatus,
            stdout: stdout.finish(),
            stderr: stderr.finish(),
            log,
            files: collectFiles(module.FS),
        };
    }

    return {run, imageArgument};
})();

module.exports = D88Runner;
