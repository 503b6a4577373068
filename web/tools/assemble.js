// Puts the page together as one self-contained HTML file: the styles, the
// module's loader and its WebAssembly (as base64), and the page's script
// bundled with what it takes of the zip library, all inlined, so the page
// needs no other file and makes no request.
//   node web/tools/assemble.js MODULE_DIR VERSION OUT_FILE
"use strict";

const fs = require("fs");
const path = require("path");
const esbuild = require("esbuild");

const [moduleDir, version, outFile] = process.argv.slice(2);
if (!outFile) {
    console.error("usage: node assemble.js MODULE_DIR VERSION OUT_FILE");
    process.exit(2);
}
const pageDir = path.join(__dirname, "..", "page");
const read = (file) => fs.readFileSync(file, "utf8");

// An inlined script ends at the first "</script", wherever it stands.
function inlineScript(name, text) {
    if (/<\/script/i.test(text)) {
        throw new Error(name + " holds </script and cannot be inlined");
    }
    return "// " + name + "\n" + text + "\n";
}

const wasm = fs.readFileSync(path.join(moduleDir, "d88web.wasm"));
// The page's script with the runner and the zip writer, minified; only the
// part of the zip library that the page calls is kept.
const pageScript = esbuild.buildSync({
    entryPoints: [path.join(pageDir, "page.js")],
    bundle: true,
    minify: true,
    format: "iife",
    target: "es2020",
    write: false,
}).outputFiles[0].text;
const scripts = [
    // The loader minified further than emscripten does without its closure
    // compiler; its one global, createD88Module, keeps its name.
    inlineScript("d88web.js", esbuild.transformSync(read(path.join(moduleDir, "d88web.js")),
                                                    {minify: true, target: "es2020"}).code),
    inlineScript("d88web.wasm", 'const d88WasmBase64 = "' + wasm.toString("base64") + '";'),
    inlineScript("page.js", pageScript),
].join("");

const template = read(path.join(pageDir, "index.html"));
const parts = ["/*@STYLE@*/", "/*@SCRIPTS@*/", "@VERSION@"];
for (const part of parts) {
    if (template.split(part).length !== 2) {
        throw new Error("index.html must hold " + part + " once");
    }
}
// A function as the replacement, so that "$" in the scripts stays as it is.
const page = template.replace("/*@STYLE@*/", () => read(path.join(pageDir, "style.css")))
                 .replace("/*@SCRIPTS@*/", () => scripts)
                 .replace("@VERSION@", () => version);
fs.writeFileSync(outFile, page);
console.log(outFile + ": " + Buffer.byteLength(page) + " bytes");
