#include "OwnWindow.h"

#include <cstring>

#include "CommandLine.h"
#include "Cutter.h"
#include "Messages.h"
#include "Output.h"
#include "system/SystemFile.h"

namespace d88cut {

namespace {

constexpr char kOpOption[] = "-op";

bool isSeparator(char c, PathRules rules) {
    return c == '/' || (rules == PathRules::Windows && c == '\\');
}

bool isDriveLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// How much of a full path is its root: "C:\", "\\server\share\" or "/"; 0
// when the path is not full.
std::size_t rootLength(const std::string& path, PathRules rules) {
    if (rules == PathRules::Posix) {
        return !path.empty() && path[0] == '/' ? 1 : 0;
    }
    if (path.size() >= 3 && isDriveLetter(path[0]) && path[1] == ':' &&
        isSeparator(path[2], rules)) {
        return 3;
    }
    if (path.size() < 2 || !isSeparator(path[0], rules) || !isSeparator(path[1], rules)) {
        return 0;
    }
    // Two slashes: a server (or "?" or "." of a device path) and a share (or
    // the drive after "\\?\"), each up to its slash.
    std::size_t at = 2;
    for (int part = 0; part < 2; ++part) {
        while (at < path.size() && !isSeparator(path[at], rules)) {
            ++at;
        }
        if (at == path.size()) {
            return 0;
        }
        ++at;
    }
    return at;
}

// The bytes of the UTF-8 character that starts with `lead`; 1 for a byte that
// starts none.
std::size_t characterLength(unsigned char lead) {
    if (lead >= 0xF0 && lead <= 0xF7) {
        return 4;
    }
    if (lead >= 0xE0) {
        return lead <= 0xEF ? 3 : 1;
    }
    return lead >= 0xC0 ? 2 : 1;
}

// The columns of the character of `length` bytes at `text`.
std::size_t characterColumns(const unsigned char* text, std::size_t length) {
    if (text[0] < 0x80) {
        return 1;
    }
    // Half-width katakana, U+FF61 to U+FF9F: EF BD A1-BF and EF BE 80-9F.
    const bool halfWidth =
        length == 3 && text[0] == 0xEF &&
        ((text[1] == 0xBD && text[2] >= 0xA1) || (text[1] == 0xBE && text[2] <= 0x9F));
    return halfWidth ? 1 : 2;
}

// Calls `each(offset, bytes, columns)` for every character of `text`.
template <typename Each>
void forEachCharacter(const std::string& text, Each each) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
    for (std::size_t at = 0; at < text.size();) {
        std::size_t length = characterLength(bytes[at]);
        if (length > text.size() - at) {
            length = 1;
        }
        each(at, length, characterColumns(bytes + at, length));
        at += length;
    }
}

// Names after a line of the summary, as many to a line as fit.
std::string nameLines(const FileNames& list, d88console::TextForm form) {
    std::string text;
    std::string line;
    const std::size_t room = kLineColumns - 2;
    for (int i = 0; i < list.count; ++i) {
        const std::string name = list.names[i];
        if (!line.empty() && line.size() + 1 + name.size() > room) {
            text += messageText(form, messages::kSummaryItem, line.c_str());
            line.clear();
        }
        line += (line.empty() ? "" : " ") + name;
    }
    if (!line.empty()) {
        text += messageText(form, messages::kSummaryItem, line.c_str());
    }
    return text;
}

bool isRegularFile(const char* path) {
    d88::os::Handle handle = d88::os::kNoHandle;
    if (d88::os::openForReading(path, handle) != d88::OpenError::None) {
        return false;
    }
    d88::FileFacts facts;
    const bool regular = d88::os::describe(handle, facts) && facts.regular;
    d88::os::close(handle);
    return regular;
}

// Makes the folder of the full `path` the current folder; false, said on
// standard error, when it cannot be, so that nothing lands elsewhere.
bool enterFolderOf(const char* path) {
    const std::string folder = folderOfFullPath(path, kSystemPaths);
    if (folder.empty() || d88console::changeFolder(folder)) {
        return true;
    }
    printErr(messages::kCannotEnterFolder, errName(folder.c_str()).c_str());
    return false;
}

void printSummary() {
    writeOut(summaryText(runState.tally, d88console::currentFolder(), outForm()));
}

// Cuts each image of the plan beside itself, as one drop of that image alone
// would, each with its summary; the status is 1 when any failed.
int cutImages(int argc, char** argv, const WindowRun& plan, bool& leftOutWithoutOp) {
    runState.filesCut = 0;
    runState.outputFailed = false;
    bool failed = false;
    for (int i = plan.firstImage; i < argc; ++i) {
        if (argc - plan.firstImage > 1) {
            printOut(messages::kImageHeading,
                     outName(fileNameOf(argv[i], kSystemPaths).c_str()).c_str());
        }
        clearTally();
        Arguments args;
        args.imagePath = argv[i];
        args.opFlag = plan.opFlag;
        failed = !(enterFolderOf(argv[i]) && cutImage(args)) || failed;
        printSummary();
        leftOutWithoutOp = leftOutWithoutOp || runState.tally.leftOutWithoutOp;
    }
    if (!finishStandardOutput()) {
        printErr(messages::kCannotWriteStandardOutput);
        runState.outputFailed = true;
    }
    return failed || runState.outputFailed ? 1 : 0;
}

}  // namespace

bool isFullPath(const std::string& path, PathRules rules) {
    return rootLength(path, rules) > 0;
}

std::string folderOfFullPath(const std::string& path, PathRules rules) {
    const std::size_t root = rootLength(path, rules);
    if (root == 0 || root == path.size()) {
        return {};
    }
    std::size_t end = path.size();
    while (end > root && !isSeparator(path[end - 1], rules)) {
        --end;
    }
    // The slash before the name goes, except the root's own.
    return path.substr(0, end > root ? end - 1 : root);
}

std::string fileNameOf(const std::string& path, PathRules rules) {
    std::size_t start = path.size();
    while (start > 0 && !isSeparator(path[start - 1], rules)) {
        --start;
    }
    return path.substr(start);
}

WindowRun planWindowRun(int argc, char** argv, PathRules rules,
                        bool (*isRegularFile)(const char*)) {
    const int first = argc >= 2 && std::strcmp(argv[1], kOpOption) == 0 ? 2 : 1;
    if (argc <= first) {
        return {WindowRun::Kind::Hint, false, 0};
    }
    for (int i = first; i < argc; ++i) {
        if (!isFullPath(argv[i], rules) || !isRegularFile(argv[i])) {
            return {WindowRun::Kind::Ordinary, false, 0};
        }
    }
    return {WindowRun::Kind::Images, first == 2, first};
}

std::size_t columnsOf(const std::string& utf8) {
    std::size_t columns = 0;
    forEachCharacter(utf8, [&](std::size_t, std::size_t, std::size_t width) { columns += width; });
    return columns;
}

std::vector<std::string> pathPieces(const std::string& path, std::size_t columns) {
    std::vector<std::string> pieces;
    std::string line;
    std::size_t lineColumns = 0;
    std::size_t breakAt = 0;  // bytes of `line` up to its last slash; 0: none
    std::size_t breakColumns = 0;
    forEachCharacter(path, [&](std::size_t at, std::size_t length, std::size_t width) {
        while (!line.empty() && lineColumns + width > columns) {
            const std::size_t cut = breakAt > 0 ? breakAt : line.size();
            pieces.push_back(line.substr(0, cut));
            line.erase(0, cut);
            lineColumns -= breakAt > 0 ? breakColumns : lineColumns;
            breakAt = 0;
        }
        line.append(path, at, length);
        lineColumns += width;
        if (length == 1 && isSeparator(path[at], PathRules::Windows)) {
            breakAt = line.size();
            breakColumns = lineColumns;
        }
    });
    if (!line.empty()) {
        pieces.push_back(line);
    }
    return pieces;
}

std::string summaryText(const CutTally& tally, const std::string& folder,
                        d88console::TextForm form) {
    if (!tally.imageOpened) {
        return {};
    }
    std::string text = messageText(form, messages::kSummaryHeading);
    if (tally.disksRecognised == 0) {
        return text + messageText(form, messages::kSummaryNoDisk);
    }
    text += messageText(form, messages::kSummaryDisks, static_cast<int>(tally.disksRecognised));
    if (tally.written.count > 0) {
        text +=
            messageText(form, messages::kSummaryFilesCut, static_cast<int>(tally.written.count));
        for (const std::string& piece : pathPieces(folder, kLineColumns - 2)) {
            text += messageText(form, messages::kSummaryItem,
                                d88console::nameInForm(piece.c_str(), form).c_str());
        }
    } else {
        text += messageText(form, messages::kSummaryNoneCut);
    }
    const struct {
        messages::MessageName heading;
        const FileNames& names;
    } lists[] = {{messages::kSummaryPartlyRead, tally.partlyRead},
                 {messages::kSummaryNotOnImage, tally.notOnImage},
                 {messages::kSummaryNotWritten, tally.notWritten}};
    for (const auto& list : lists) {
        if (list.names.count > 0) {
            text += messageText(form, list.heading) + nameLines(list.names, form);
        }
    }
    return text;
}

int runInOwnWindow(int argc, char** argv) {
    // The usage names the program by its file name: its full path would fill the line.
    std::string program = fileNameOf(
        argc >= 1 && argv[0] != nullptr && argv[0][0] != '\0' ? argv[0] : "d88cut", kSystemPaths);
    std::vector<char*> args(argv, argv + (argc >= 1 ? argc : 0));
    if (args.empty()) {
        args.push_back(nullptr);
    }
    args[0] = program.data();
    args.push_back(nullptr);
    const int count = argc >= 1 ? argc : 1;

    const WindowRun plan = planWindowRun(count, args.data(), kSystemPaths, isRegularFile);
    bool leftOutWithoutOp = false;
    int status = 1;
    switch (plan.kind) {
        case WindowRun::Kind::Hint:
            printOut(messages::kDropHint, outName(program.c_str()).c_str());
            status = runCutter(1, args.data());
            break;
        case WindowRun::Kind::Images:
            status = cutImages(count, args.data(), plan, leftOutWithoutOp);
            break;
        case WindowRun::Kind::Ordinary:
            // An image named by its full path is cut beside itself here too.
            if ((count == 2 || count == 3) && isFullPath(args[1], kSystemPaths) &&
                isRegularFile(args[1]) && !enterFolderOf(args[1])) {
                break;
            }
            status = runCutter(count, args.data());
            printSummary();
            leftOutWithoutOp = runState.tally.leftOutWithoutOp;
            break;
    }
    if (leftOutWithoutOp) {
        printOut(messages::kOpHint);
    }
    printOut(messages::kPressAKey);
    finishStandardOutput();
    return status;
}

}  // namespace d88cut
