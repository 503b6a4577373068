#include "InfoWindow.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <iterator>
#include <vector>

#include "DiskName.h"
#include "DiskSummary.h"
#include "FileOutcomes.h"
#include "FilesListing.h"
#include "Info.h"
#include "InfoMessages.h"
#include "InfoOptions.h"
#include "d88/D88Image.h"
#include "system/ConsoleText.h"
#include "system/SystemFile.h"

namespace d88info {

namespace {

struct Character {
    std::size_t at;
    std::size_t length;
    std::size_t columns;
};

std::vector<Character> charactersOf(const std::string& line) {
    std::vector<Character> characters;
    for (std::size_t at = 0; at < line.size();) {
        const d88console::TextCharacter c = d88console::characterAt(line, at);
        characters.push_back({at, c.length, c.columns});
        at += c.length;
    }
    return characters;
}

bool isSpace(const std::string& line, const Character& c) {
    return c.length == 1 && line[c.at] == ' ';
}

// Punctuation that closes what comes before it, which no line starts with.
bool closes(const std::string& line, const Character& c) {
    const std::string text = line.substr(c.at, c.length);
    return text == "、" || text == "。" || text == ")" || text == ":" || text == "," ||
           text == "." || text == ";";
}

// How well a line breaks before character `k`: kGood after a space, 、 or
// 。; kBetweenWords after a space between two ASCII words ("C16 H1 R2 N3");
// kWithinWord between a full-width character and the next that does not
// close; 0 not at all, nor between a number and a full-width unit after it
// ("300 バイト").
constexpr int kWithinWord = 1;
constexpr int kBetweenWords = 2;
constexpr int kGood = 3;

bool isAsciiWordCharacter(const std::string& line, const Character& c) {
    const char byte = line[c.at];
    return c.length == 1 && ((byte >= '0' && byte <= '9') || (byte >= 'A' && byte <= 'Z') ||
                             (byte >= 'a' && byte <= 'z'));
}

int breakBefore(const std::string& line, const std::vector<Character>& characters, std::size_t k) {
    const Character& before = characters[k - 1];
    const Character& next = characters[k];
    if (isSpace(line, next)) {
        return 0;
    }
    if (isSpace(line, before)) {
        const bool afterWord = k >= 2 && isAsciiWordCharacter(line, characters[k - 2]);
        const bool afterNumber = afterWord && line[characters[k - 2].at] <= '9';
        if (afterNumber && next.columns == 2) {
            return 0;
        }
        return afterWord && isAsciiWordCharacter(line, next) ? kBetweenWords : kGood;
    }
    const std::string previous = line.substr(before.at, before.length);
    if (previous == "、" || previous == "。") {
        return kGood;
    }
    return before.columns == 2 && !closes(line, next) ? kWithinWord : 0;
}

// A break is taken where it leaves the line at least this many columns short
// of full only when no better one is nearer its end.
constexpr std::size_t kBreakReach = 16;

// The characters from `first` up to `end` as text, without the spaces at its end.
std::string piece(const std::string& line, const std::vector<Character>& characters,
                  std::size_t first, std::size_t end) {
    while (end > first && isSpace(line, characters[end - 1])) {
        --end;
    }
    if (end == first) {
        return {};
    }
    const std::size_t from = characters[first].at;
    const std::size_t to = characters[end - 1].at + characters[end - 1].length;
    return line.substr(from, to - from);
}

std::string fitLine(const std::string& line, std::size_t columns) {
    if (d88console::columnsOf(line) <= columns) {
        return line + "\n";
    }
    const std::size_t hang = !line.empty() && line[0] == ' ' ? 12 : 4;
    const std::string indent(hang < columns ? hang : 0, ' ');
    const std::vector<Character> characters = charactersOf(line);
    std::string text;
    std::size_t first = 0;
    std::size_t width = 0;
    // For each quality of break, the last character the line may break
    // before so, and the columns before it; 0: none.
    std::size_t at[kGood + 1] = {};
    std::size_t widthAt[kGood + 1] = {};
    for (std::size_t k = 0; k < characters.size(); ++k) {
        // A break leaves more on the line than its indent (a file's name).
        const int quality =
            k > first && width > indent.size() ? breakBefore(line, characters, k) : 0;
        if (quality > 0) {
            at[quality] = k;
            widthAt[quality] = width;
        }
        if (width + characters[k].columns > columns && k > first) {
            // A space that does not fit ends the line where it stands; else
            // the best break in reach, the last break of any, or here.
            std::size_t end = k;
            if (!isSpace(line, characters[k])) {
                std::size_t last = 0;
                for (int q = kGood; q >= kWithinWord; --q) {
                    last = at[q] > last ? at[q] : last;
                }
                end = last > first ? last : k;
                for (int q = kGood; q >= kWithinWord; --q) {
                    if (at[q] > first && widthAt[q] + kBreakReach >= columns) {
                        end = at[q];
                        break;
                    }
                }
            }
            text += piece(line, characters, first, end) + "\n" + indent;
            first = end;
            while (first < characters.size() && isSpace(line, characters[first])) {
                ++first;
            }
            width = indent.size();
            std::fill(std::begin(at), std::end(at), 0);
            k = first - 1;  // the loop goes on from `first`
            continue;
        }
        width += characters[k].columns;
    }
    return text + piece(line, characters, first, characters.size()) + "\n";
}

// Whether every argument names a file, as those Explorer passes for a drop.
bool allImages(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (argv[i] == nullptr || argv[i][0] == '-' || !d88::os::namesRegularFile(argv[i])) {
            return false;
        }
    }
    return argc > 1;
}

// The name after the path's last slash, either slash.
std::string fileNameOf(const std::string& path) {
    const std::size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

void writeText(const std::string& text) {
    d88console::writeUtf8(stdout, d88console::formOf(stdout), text.data(), text.size());
}

}  // namespace

std::string fitToWindow(const std::string& text, std::size_t columns) {
    std::string fitted;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
        fitted += fitLine(text.substr(start, end - start), columns);
    }
    if (start < text.size()) {
        fitted += fitLine(text.substr(start), columns);
    }
    return fitted;
}

std::string windowListing(const std::string& path, bool heading, Language language,
                          std::size_t columns, bool& opened) {
    std::string text = heading ? "==== " + fileNameOf(path) + " ====\n" : "";
    d88::D88Image image;
    opened = image.open(path.c_str());
    if (!opened) {
        return text;
    }
    std::vector<std::uint8_t> scratch(kScratchSize);
    const ImageOutcome outcome = accountFiles(image, {true, 0}, scratch.data());
    NameForm names;
    names.decode = true;
    names.text = d88console::TextForm::Utf8;
    return fitToWindow(text + filesListingText(outcome, names, FilesWords(language)), columns);
}

int runInOwnWindow(int argc, char** argv) {
    const Language language = languageAskedFor(argc, argv, defaultLanguage());
    int status = 0;
    if (argc <= 1) {
        const std::string program =
            fileNameOf(argc == 1 && argv[0] != nullptr ? argv[0] : "d88info.exe");
        char hint[400];
        std::snprintf(hint, sizeof hint, messageText(language, InfoMessage::WindowHint),
                      program.c_str());
        writeText(
            fitToWindow(hint + std::string(usageText(language)), d88console::kWindowLineColumns));
        status = 1;
    } else if (allImages(argc, argv)) {
        for (int i = 1; i < argc; ++i) {
            bool opened = false;
            writeText((i > 1 ? "\n" : "") + windowListing(argv[i], argc > 2, language,
                                                          d88console::kWindowLineColumns, opened));
            if (!opened) {
                std::fflush(stdout);
                d88::D88Image image;
                image.open(argv[i]);
                printOpenError(stdout, argv[i], image.openError(), language);
                status = 1;
            }
        }
    } else {
        status = runInfo(argc, argv, stdout, stderr);
    }
    std::fflush(stdout);
    writeText(messageText(language, InfoMessage::PressAKey));
    std::fflush(stdout);
    return status;
}

}  // namespace d88info
