#include "InfoOptions.h"

#include <cstring>

#include "d88/DiskHeader.h"

namespace d88info {

namespace {

constexpr char kUsageLine[] = "usage: d88info [-v] [-x TRACK,R[,N]] IMAGE\n";

constexpr char kHelpText[] =
    "Shows what each disk of a D88 image file holds: its header, the probe\n"
    "sectors on track index 1 and the disk kind d88cut recognises from them,\n"
    "and the layout of its tracks.\n"
    "\n"
    "  -v              list every record of every present track\n"
    "  -x TRACK,R[,N]  hex dump of the first sector with ID C=TRACK/2, H=TRACK%2,\n"
    "                  R, N (N defaults to 3) on track index TRACK of each disk\n"
    "  -h, --help      show this help\n"
    "  --version       show the version\n"
    "  --              end of options: IMAGE may start with -\n";

constexpr int kMaxByteValue = 255;

// Reads a decimal number of 1 to 3 digits up to the next ',' or the end.
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
    std::fprintf(err, "d88info: %s%s\n", what, argument);
    std::fputs(kUsageLine, err);
    return OptionsResult::Error;
}

}  // namespace

bool parseSectorChoice(const char* text, SectorChoice& choice) {
    SectorChoice parsed;
    if (!parseField(text, d88::DiskHeader::kTrackCount - 1, parsed.track) || *text++ != ',' ||
        !parseField(text, kMaxByteValue, parsed.r)) {
        return false;
    }
    if (*text == ',') {
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
            } else if (std::strcmp(arg, "-x") == 0) {
                if (i + 1 >= argc || argv[i + 1] == nullptr) {
                    return usageError(err, "-x needs TRACK,R[,N]", "");
                }
                if (!parseSectorChoice(argv[++i], options.sector)) {
                    return usageError(
                        err, "-x wants TRACK,R[,N] with TRACK 0-163, R and N 0-255: ", argv[i]);
                }
                options.dump = true;
            } else {
                return usageError(err, "unknown option: ", arg);
            }
        } else if (options.imagePath != nullptr) {
            return usageError(err, "more than one image file: ", arg);
        } else {
            options.imagePath = arg;
        }
    }
    if (options.imagePath == nullptr) {
        return usageError(err, "no image file given", "");
    }
    return OptionsResult::Run;
}

}  // namespace d88info
