#include "MergeOptions.h"

#include <cstring>

#include "system/ConsoleText.h"

namespace d88merge {

namespace {

constexpr char kUsage[] = "usage: d88merge [-o OUT.d88] [--json] [--lang ja|en] IMAGE IMAGE...\n";

constexpr char kHelpText[] =
    "Merges several dumps of the same disks into one D88 image: for each record\n"
    "a good copy before a damaged one, the copy most dumps agree on where good\n"
    "copies differ, a byte-by-byte vote of three or more damaged copies; and\n"
    "reports, per disk, what the merge did for each file d88cut cuts.\n"
    "\n"
    "  -o OUT.d88      write the merged image to OUT.d88 (without it nothing is\n"
    "                  written: the dumps are only compared)\n"
    "  --json          the report as one JSON document\n"
    "  --lang ja|en    the report's language (default: the user's)\n"
    "  -h, --help      show this help\n"
    "  --version       show the version\n"
    "  --              end of options: IMAGE may start with -\n"
    "\n"
    "Exit status: 0 when every file of the set's disks is whole in the result,\n"
    "2 when some file or record is still not whole or good copies conflict,\n"
    "1 for a usage error, an image that cannot be read or an output that cannot\n"
    "be written.\n";

OptionsResult usageError(std::FILE* err, const char* message, const char* detail) {
    d88console::printText(err, "d88merge: %s%s\n", message, detail);
    std::fputs(kUsage, err);
    return OptionsResult::Error;
}

}  // namespace

OptionsResult parseMergeOptions(int argc, char** argv, bool userJapanese, MergeOptions& options,
                                std::FILE* out, std::FILE* err) {
    options = MergeOptions{};
    options.japanese = userJapanese;
    bool optionsEnded = false;
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        if (arg == nullptr) {
            continue;
        }
        if (optionsEnded || arg[0] != '-' || arg[1] == '\0') {
            options.images.push_back(arg);
        } else if (std::strcmp(arg, "--") == 0) {
            optionsEnded = true;
        } else if (std::strcmp(arg, "-h") == 0 || std::strcmp(arg, "--help") == 0) {
            std::fputs(kUsage, out);
            std::fputs(kHelpText, out);
            return OptionsResult::Help;
        } else if (std::strcmp(arg, "--version") == 0) {
            std::fputs("d88merge " D88CUT_VERSION "\n", out);
            return OptionsResult::Help;
        } else if (std::strcmp(arg, "-o") == 0) {
            if (i + 1 >= argc || argv[i + 1] == nullptr) {
                return usageError(err, "-o needs a file name", "");
            }
            if (options.output != nullptr) {
                return usageError(err, "-o given twice", "");
            }
            options.output = argv[++i];
        } else if (std::strcmp(arg, "--json") == 0) {
            options.json = true;
        } else if (std::strcmp(arg, "--lang") == 0) {
            if (i + 1 >= argc || argv[i + 1] == nullptr) {
                return usageError(err, "--lang needs ja or en", "");
            }
            const char* language = argv[++i];
            if (std::strcmp(language, "ja") != 0 && std::strcmp(language, "en") != 0) {
                return usageError(err, "--lang wants ja or en: ", language);
            }
            options.japanese = std::strcmp(language, "ja") == 0;
        } else {
            return usageError(err, "unknown option: ", arg);
        }
    }
    if (options.images.size() < 2) {
        return usageError(err, "two or more images are needed", "");
    }
    if (options.images.size() > static_cast<std::size_t>(kMaxImages)) {
        return usageError(err, "at most 64 images are merged at once", "");
    }
    return OptionsResult::Run;
}

}  // namespace d88merge
