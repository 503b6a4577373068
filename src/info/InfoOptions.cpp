#include "InfoOptions.h"

#include <cstring>
#include <vector>

#include "InfoMessages.h"
#include "d88/DiskHeader.h"
#include "d88/TrackAddress.h"
#include "diskset/DiskKind.h"
#include "system/ConsoleText.h"

namespace d88info {

namespace {

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

OptionsResult usageError(std::FILE* err, Language language, InfoMessage message,
                         const char* argument = "") {
    // The argument as the user wrote it: UTF-16 on a Windows console.
    const std::string line = std::string("d88info: ") + messageText(language, message) + "\n";
    d88console::printText(err, line.c_str(), argument);
    d88console::printText(err, "%s", usageText(language));
    return OptionsResult::Error;
}

bool isLanguage(const char* text) {
    return std::strcmp(text, "ja") == 0 || std::strcmp(text, "en") == 0;
}

// --files takes -op or a disk number, as d88cut does, and --json; it lists
// files and neither draws, dumps nor lists records.
OptionsResult checkFilesOptions(const InfoOptions& options, std::FILE* err) {
    const Language language = options.language;
    if (!options.files) {
        if (options.json || options.opFlag) {
            return usageError(err, language, InfoMessage::GoesWithFiles,
                              options.json ? "--json" : "-op");
        }
        return OptionsResult::Run;
    }
    if (options.svg || options.dump || options.verbose) {
        return usageError(err, language, InfoMessage::FilesDrops,
                          options.svg    ? "--svg"
                          : options.dump ? "-x"
                                         : "-v");
    }
    if (options.opFlag && options.diskNo != 0) {
        return usageError(err, language, InfoMessage::OpOrNumber);
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

Language languageAskedFor(int argc, char** argv, Language userLanguage) {
    for (int i = 1; argv != nullptr && i + 1 < argc && argv[i] != nullptr; ++i) {
        if (std::strcmp(argv[i], "--") == 0) {
            break;
        }
        if (std::strcmp(argv[i], "--lang") == 0 && argv[i + 1] != nullptr &&
            isLanguage(argv[i + 1])) {
            userLanguage =
                std::strcmp(argv[i + 1], "ja") == 0 ? Language::Japanese : Language::English;
            ++i;
        }
    }
    return userLanguage;
}

OptionsResult parseInfoOptions(int argc, char** argv, Language userLanguage, InfoOptions& options,
                               std::FILE* out, std::FILE* err) {
    options = InfoOptions{};
    // The language is known before anything is said, an error in the first
    // option included.
    const Language language = languageAskedFor(argc, argv, userLanguage);
    options.language = language;
    bool optionsEnded = false;
    std::vector<const char*> positionals;
    for (int i = 1; argv != nullptr && i < argc && argv[i] != nullptr; ++i) {
        const char* arg = argv[i];
        if (!optionsEnded && arg[0] == '-' && arg[1] != '\0') {
            if (std::strcmp(arg, "-h") == 0 || std::strcmp(arg, "--help") == 0) {
                d88console::printText(out, "%s%s", usageText(language), helpText(language));
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
                    return usageError(err, language, InfoMessage::LangNeedsValue);
                }
                if (!isLanguage(argv[++i])) {
                    return usageError(err, language, InfoMessage::LangWantsValue, argv[i]);
                }
            } else if (std::strcmp(arg, "--files") == 0) {
                options.files = true;
            } else if (std::strcmp(arg, "--json") == 0) {
                options.json = true;
            } else if (std::strcmp(arg, "-op") == 0) {
                options.opFlag = true;
            } else if (std::strcmp(arg, "-x") == 0) {
                if (i + 1 >= argc || argv[i + 1] == nullptr) {
                    return usageError(err, language, InfoMessage::XNeedsValue);
                }
                if (!parseSectorChoice(argv[++i], options.sector)) {
                    return usageError(err, language, InfoMessage::XWantsValue, argv[i]);
                }
                options.dump = true;
            } else {
                return usageError(err, language, InfoMessage::UnknownOption, arg);
            }
        } else if (positionals.size() < 3) {
            positionals.push_back(arg);
        }
    }
    // The image, and with --files a disk number after it, as d88cut takes one.
    const std::size_t most = options.files ? 2 : 1;
    if (positionals.size() > most) {
        return usageError(err, language, InfoMessage::MoreThanOneImage, positionals[most]);
    }
    if (positionals.size() == 2) {
        options.diskNo = d88cut::diskNumberOf(positionals[1]);
        if (options.diskNo == 0) {
            return usageError(err, language, InfoMessage::AfterTheImage, positionals[1]);
        }
    }
    options.imagePath = positionals.empty() ? nullptr : positionals[0];
    if (options.imagePath == nullptr) {
        return usageError(err, language, InfoMessage::NoImage);
    }
    if (options.svg && options.dump) {
        return usageError(err, language, InfoMessage::SvgDumpsNothing);
    }
    return checkFilesOptions(options, err);
}

}  // namespace d88info
