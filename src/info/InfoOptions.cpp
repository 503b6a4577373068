#include "InfoOptions.h"

#include <cstring>
#include <vector>

#include "d88/DiskHeader.h"
#include "d88/TrackAddress.h"
#include "diskset/DiskKind.h"
#include "system/ConsoleText.h"

namespace d88info {

namespace {

constexpr char kUsageLine[] =
    "usage: d88info [-v] [--utf8] [-x TRACK,R[,N]|C/H/R[/N]] IMAGE\n"
    "       d88info --svg [--lang en|ja] IMAGE\n"
    "       d88info --files [--json] [--utf8] IMAGE [-op | 1..8]\n";

constexpr char kHelpText[] =
    "Shows what each disk of a D88 image file holds: its header, the probe\n"
    "sectors on track index 1 and the disk kind d88cut recognises from them,\n"
    "and the layout of its tracks.\n"
    "\n"
    "  -v              list every record of every present track\n"
    "  --utf8          show disk names that are Shift_JIS text decoded, in UTF-8,\n"
    "                  also in a file or pipe (a terminal or console shows them\n"
    "                  decoded anyway)\n"
    "  -x TRACK,R[,N]  hex dump of the first sector with ID C=TRACK/2, H=TRACK%2,\n"
    "                  R and N (any N when left out) on track index TRACK of\n"
    "                  each disk\n"
    "  -x C/H/R[/N]    the same by cylinder and head: track index C*2+H\n"
    "  --svg           instead of the text, write an SVG picture of every disk:\n"
    "                  a row per track and a cell per record, coloured by its\n"
    "                  status, outlined where d88cut cuts it (-v and --utf8 change\n"
    "                  nothing in it)\n"
    "  --lang ja       with --svg: the picture's words in Japanese (en: English,\n"
    "                  the default)\n"
    "  --files         instead of the text, what d88cut does with each file of\n"
    "                  each disk and why: written whole, from damaged records,\n"
    "                  partly read, not on the image, or replaced by a later\n"
    "                  disk's; -op or a disk number after IMAGE as d88cut takes\n"
    "                  them\n"
    "  --json          with --files: the same as one JSON document\n"
    "  -h, --help      show this help\n"
    "  --version       show the version\n"
    "  --              end of options: IMAGE may start with -\n";

constexpr int kMaxByteValue = 255;
constexpr int kMaxCylinder =
    d88::TrackAddress::ofIndex(d88::DiskHeader::kTrackCount - 1).cylinder();

// Reads a decimal number of 1 to 3 digits up to the next separator or the end.
bool parseField(const char*& text, int maxValue, int& value) {
    int digits = 0;
    value = 0;
    while (*text >= '0' && *text <= '9') {
        if (++digits > 3) {
            return false;
        }
        value = value * 10 + (*text - '0');
        ++text;
    }
    return digits > 0 && value <= maxValue;
}

OptionsResult usageError(std::FILE* err, const char* what, const char* argument) {
    // The argument as the user wrote it: UTF-16 on a Windows console.
    d88console::printText(err, "d88info: %s%s\n", what, argument);
    std::fputs(kUsageLine, err);
    return OptionsResult::Error;
}

// --files takes -op or a disk number, as d88cut does, and --json; it lists
// files and neither draws, dumps nor lists records.
OptionsResult checkFilesOptions(const InfoOptions& options, std::FILE* err) {
    if (!options.files) {
        if (options.json || options.opFlag) {
            return usageError(err, options.json ? "--json" : "-op", " goes with --files");
        }
        return OptionsResult::Run;
    }
    if (options.svg || options.dump || options.verbose) {
        return usageError(err, "--files lists the files of each disk: drop ",
                          options.svg    ? "--svg"
                          : options.dump ? "-x"
                                         : "-v");
    }
    if (options.opFlag && options.diskNo != 0) {
        return usageError(err, "-op or a disk number, as d88cut takes one of them, not both", "");
    }
    return OptionsResult::Run;
}

}  // namespace

bool parseSectorChoice(const char* text, SectorChoice& choice) {
    SectorChoice parsed;
    const bool byCylinder = std::strchr(text, '/') != nullptr;
    const char separator = byCylinder ? '/' : ',';
    if (byCylinder) {
        int c = 0;
        int h = 0;
        if (!parseField(text, kMaxCylinder, c) || *text++ != separator ||
            !parseField(text, d88::TrackAddress::kMaxHead, h)) {
            return false;
        }
        parsed.track = d88::TrackAddress::at(c, h).index;
    } else if (!parseField(text, d88::DiskHeader::kTrackCount - 1, parsed.track)) {
        return false;
    }
    if (*text++ != separator || !parseField(text, kMaxByteValue, parsed.r)) {
        return false;
    }
    if (*text == separator) {
        ++text;
        if (!parseField(text, kMaxByteValue, parsed.n)) {
            return false;
        }
    }
    if (*text != '\0') {
        return false;
    }
    choice = parsed;
    return true;
}

OptionsResult parseInfoOptions(int argc, char** argv, InfoOptions& options, std::FILE* out,
                               std::FILE* err) {
    options = InfoOptions{};
    bool optionsEnded = false;
    std::vector<const char*> positionals;
    for (int i = 1; argv != nullptr && i < argc && argv[i] != nullptr; ++i) {
        const char* arg = argv[i];
        if (!optionsEnded && arg[0] == '-' && arg[1] != '\0') {
            if (std::strcmp(arg, "-h") == 0 || std::strcmp(arg, "--help") == 0) {
                std::fputs(kUsageLine, out);
                std::fputs(kHelpText, out);
                return OptionsResult::Help;
            }
            if (std::strcmp(arg, "--version") == 0) {
                std::fputs("d88info " D88CUT_VERSION "\n", out);
                return OptionsResult::Help;
            }
            if (std::strcmp(arg, "--") == 0) {
                optionsEnded = true;
            } else if (std::strcmp(arg, "-v") == 0) {
                options.verbose = true;
            } else if (std::strcmp(arg, "--utf8") == 0) {
                options.utf8 = true;
            } else if (std::strcmp(arg, "--svg") == 0) {
                options.svg = true;
            } else if (std::strcmp(arg, "--lang") == 0) {
                if (i + 1 >= argc || argv[i + 1] == nullptr) {
                    return usageError(err, "--lang needs en or ja", "");
                }
                const char* language = argv[++i];
                if (std::strcmp(language, "ja") != 0 && std::strcmp(language, "en") != 0) {
                    return usageError(err, "--lang wants en or ja: ", language);
                }
                options.language = language;
            } else if (std::strcmp(arg, "--files") == 0) {
                options.files = true;
            } else if (std::strcmp(arg, "--json") == 0) {
                options.json = true;
            } else if (std::strcmp(arg, "-op") == 0) {
                options.opFlag = true;
            } else if (std::strcmp(arg, "-x") == 0) {
                if (i + 1 >= argc || argv[i + 1] == nullptr) {
                    return usageError(err, "-x needs TRACK,R[,N] or C/H/R[/N]", "");
                }
                if (!parseSectorChoice(argv[++i], options.sector)) {
                    return usageError(err,
                                      "-x wants TRACK,R[,N] with TRACK 0-163 or C/H/R[/N] with "
                                      "C 0-81 and H 0-1, R and N 0-255: ",
                                      argv[i]);
                }
                options.dump = true;
            } else {
                return usageError(err, "unknown option: ", arg);
            }
        } else if (positionals.size() < 3) {
            positionals.push_back(arg);
        }
    }
    // The image, and with --files a disk number after it, as d88cut takes one.
    const std::size_t most = options.files ? 2 : 1;
    if (positionals.size() > most) {
        return usageError(err, "more than one image file: ", positionals[most]);
    }
    if (positionals.size() == 2) {
        options.diskNo = d88cut::diskNumberOf(positionals[1]);
        if (options.diskNo == 0) {
            return usageError(err, "after the image, -op or a disk number 1-8: ", positionals[1]);
        }
    }
    options.imagePath = positionals.empty() ? nullptr : positionals[0];
    if (options.imagePath == nullptr) {
        return usageError(err, "no image file given", "");
    }
    if (options.svg && options.dump) {
        return usageError(err, "--svg draws every disk and dumps no sector: drop -x", "");
    }
    if (options.language != nullptr && !options.svg) {
        return usageError(err, "--lang goes with --svg", "");
    }
    options.japanese = options.language != nullptr && std::strcmp(options.language, "ja") == 0;
    return checkFilesOptions(options, err);
}

}  // namespace d88info
