// Runs the whole cutter on an arbitrary image, in every argument form, in a
// scratch directory: identification, extraction and the writers end to end.
// After each run, d88info --files --json on the same image and form must be
// well-formed JSON and name exactly the files the cutter left, with their
// sizes. Run it with -close_fd_mask=3 (the cutter's own messages are not
// wanted; libFuzzer keeps its reports on a stream of its own) and absolute
// corpus paths.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <system_error>
#include <vector>

#include "FuzzScratch.h"
#include "JsonCheck.h"
#include "cutter/Cutter.h"
#include "info/Info.h"

namespace {

namespace fs = std::filesystem;

using Files = std::map<std::string, std::uintmax_t>;

// The files in the current directory but the image, with their sizes; each
// is removed, so that the next run starts from none.
Files takeFiles() {
    Files files;
    std::error_code error;
    const fs::path image = fs::path(d88fuzz::scratchImagePath()).filename();
    for (const fs::directory_entry& entry : fs::directory_iterator(".", error)) {
        const fs::path name = entry.path().filename();
        if (name != image) {
            files[name.string()] = entry.file_size(error);
            fs::remove(entry.path(), error);
        }
    }
    return files;
}

// The files d88info --files --json says the cutter leaves with `option`.
Files filesListed(const char* option) {
    std::FILE* out = std::tmpfile();
    std::FILE* err = std::tmpfile();
    std::string program = "d88info", files = "--files", json = "--json";
    std::string path = d88fuzz::scratchImagePath();
    std::string third = option != nullptr ? option : "";
    std::vector<char*> argv = {program.data(), files.data(), json.data(), path.data()};
    if (option != nullptr) {
        argv.push_back(third.data());
    }
    argv.push_back(nullptr);
    if (out == nullptr || err == nullptr ||
        d88info::runInfo(static_cast<int>(argv.size()) - 1, argv.data(), out, err) != 0) {
        std::abort();
    }
    const std::string text = d88fuzz::readBack(out);
    std::fclose(err);
    d88test::JsonValue document;
    std::string error;
    if (!d88test::parseJson(text, document, error)) {
        std::fprintf(stderr, "d88info --files --json: %s\n", error.c_str());
        std::abort();
    }
    Files listed;
    for (const d88test::JsonValue& disk : document["disks"].items) {
        for (const d88test::JsonValue& file : disk["files"].items) {
            if (file["written"].text != "missing" && file["replacedBy"].isNull()) {
                listed[file["name"].text] = static_cast<std::uintmax_t>(file["length"].integer());
            }
        }
    }
    return listed;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    d88fuzz::enterScratchDir();
    if (!d88fuzz::writeImage(data, size)) {
        return 0;
    }
    takeFiles();
    static const char* const kOptions[] = {nullptr, "-op", "1", "2", "3", "4", "5", "6", "7", "8"};
    std::string path = d88fuzz::scratchImagePath();
    for (const char* option : kOptions) {
        std::string program = "d88cut";
        std::string third = option != nullptr ? option : "";
        char* argv[] = {program.data(), path.data(), option != nullptr ? third.data() : nullptr,
                        nullptr};
        const int status = d88cut::runCutter(option != nullptr ? 3 : 2, argv);
        if (status != 0 && status != 1) {
            std::abort();
        }
        const Files cut = takeFiles();
        if (filesListed(option) != cut) {
            std::fprintf(stderr, "d88info --files %s names other files than d88cut leaves\n",
                         option != nullptr ? option : "");
            std::abort();
        }
    }
    return 0;
}
