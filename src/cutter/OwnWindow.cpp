#include "OwnWindow.h"

#include <algorithm>
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

// Calls `each(offset, bytes, columns)` for every character of `text`.
template <typename Each>
void forEachCharacter(const std::string& text, Each each) {
    for (std::size_t at = 0; at < text.size();) {
        const d88console::TextCharacter character = d88console::characterAt(text, at);
        each(at, character.length, character.columns);
        at += character.length;
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

// What a file in which no disk of the set was found is, in the words of
// d88info --files.
std::string whatTheFileIs(const ImageSurvey& survey, d88console::TextForm form) {
    switch (survey.nature) {
        case ImageNature::Empty:
            return messageText(form, messages::kSummaryEmpty);
        case ImageNature::TooShort:
            return messageText(form, messages::kSummaryTooShort);
        case ImageNature::NotD88:
            return messageText(form, messages::kSummaryNotD88);
        case ImageNature::D88:
            break;
    }
    return messageText(form, messages::kSummaryNoDiskOfTheSet, survey.diskCount);
}

bool isFolderPath(const char* path) {
    return d88console::isFolder(path);
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

// What a drop stands for, in the order dropped: each image, and each folder
// as the images directly in it; a folder with none is noted by its path.
struct Dropped {
    std::string path;
    bool emptyFolder;
};

std::vector<Dropped> droppedItems(int argc, char** argv, const WindowRun& plan,
                                  bool& folderDropped) {
    std::vector<Dropped> items;
    for (int i = plan.firstImage; i < argc; ++i) {
        const std::string path = argv[i];
        if (!d88console::isFolder(path)) {
            items.push_back({path, false});
            continue;
        }
        folderDropped = true;
        std::vector<std::string> names;
        d88console::filesInFolder(path, names);
        const std::vector<std::string> images = imagesAmong(std::move(names));
        if (images.empty()) {
            items.push_back({path, true});
        }
        const bool slashEnds = !path.empty() && (path.back() == '\\' || path.back() == '/');
        const char* separator = kSystemPaths == PathRules::Windows ? "\\" : "/";
        for (const std::string& image : images) {
            items.push_back({path + (slashEnds ? "" : separator) + image, false});
        }
    }
    return items;
}

// Cuts each image of the plan beside itself, as one drop of that image alone
// would, each with its summary, a blank line between one image's summary and
// the next heading; the status is 1 when any failed. `leftOutWithoutOp`
// gathers the names of the images whose files cut only with -op were left out.
int cutImages(int argc, char** argv, const WindowRun& plan,
              std::vector<std::string>& leftOutWithoutOp) {
    runState.filesCut = 0;
    runState.outputFailed = false;
    bool failed = false;
    bool folderDropped = false;
    const std::vector<Dropped> items = droppedItems(argc, argv, plan, folderDropped);
    const bool headings = items.size() > 1 || folderDropped;
    for (std::size_t i = 0; i < items.size(); ++i) {
        const Dropped& item = items[i];
        if (i > 0) {
            writeOut("\n");
        }
        if (item.emptyFolder) {
            printOut(messages::kNoImageInFolder, outName(item.path.c_str()).c_str());
            continue;
        }
        const std::string name = fileNameOf(item.path, kSystemPaths);
        if (headings) {
            printOut(messages::kImageHeading, outName(name.c_str()).c_str());
        }
        clearTally();
        Arguments args;
        args.imagePath = item.path.c_str();
        args.opFlag = plan.opFlag;
        failed = !(enterFolderOf(item.path.c_str()) && cutImage(args)) || failed;
        printSummary();
        if (runState.tally.leftOutWithoutOp) {
            leftOutWithoutOp.push_back(name);
        }
    }
    if (!finishStandardOutput()) {
        printErr(messages::kCannotWriteStandardOutput);
        runState.outputFailed = true;
    }
    return failed || runState.outputFailed ? 1 : 0;
}

// Once at the end: the images whose Opening Disk was cut without OPDEMO and
// G_TITLE, and how to cut them.
void printOpHint(const std::vector<std::string>& images) {
    if (images.empty()) {
        return;
    }
    writeOut("\n");
    printOut(messages::kOpHintImages);
    for (const std::string& image : images) {
        printOut(messages::kSummaryItem, outName(image.c_str()).c_str());
    }
    printOut(messages::kOpHint);
}

// Lower case of an ASCII letter; any other byte as it is.
unsigned char folded(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte >= 'A' && byte <= 'Z' ? static_cast<unsigned char>(byte - 'A' + 'a') : byte;
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// -1, 0 or 1 as the names compare in reading order, digits by their number.
int compareAsRead(const std::string& a, const std::string& b) {
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < a.size() && j < b.size()) {
        if (isDigit(a[i]) && isDigit(b[j])) {
            std::size_t endA = i;
            std::size_t endB = j;
            while (endA < a.size() && isDigit(a[endA])) {
                ++endA;
            }
            while (endB < b.size() && isDigit(b[endB])) {
                ++endB;
            }
            // The numbers without their leading zeros: the longer is larger,
            // else the first digit that differs decides.
            std::size_t startA = i;
            std::size_t startB = j;
            while (startA + 1 < endA && a[startA] == '0') {
                ++startA;
            }
            while (startB + 1 < endB && b[startB] == '0') {
                ++startB;
            }
            if (endA - startA != endB - startB) {
                return endA - startA < endB - startB ? -1 : 1;
            }
            const int digits = a.compare(startA, endA - startA, b, startB, endB - startB);
            if (digits != 0) {
                return digits < 0 ? -1 : 1;
            }
            i = endA;
            j = endB;
            continue;
        }
        if (folded(a[i]) != folded(b[j])) {
            return folded(a[i]) < folded(b[j]) ? -1 : 1;
        }
        ++i;
        ++j;
    }
    if (i < a.size() || j < b.size()) {
        return i < a.size() ? 1 : -1;
    }
    return 0;
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

WindowRun planWindowRun(int argc, char** argv, PathRules rules, bool (*isRegularFile)(const char*),
                        bool (*isFolder)(const char*)) {
    const int first = argc >= 2 && std::strcmp(argv[1], kOpOption) == 0 ? 2 : 1;
    if (argc <= first) {
        return {WindowRun::Kind::Hint, false, 0};
    }
    for (int i = first; i < argc; ++i) {
        if (!isFullPath(argv[i], rules) || !(isRegularFile(argv[i]) || isFolder(argv[i]))) {
            return {WindowRun::Kind::Ordinary, false, 0};
        }
    }
    return {WindowRun::Kind::Images, first == 2, first};
}

bool isD88Name(const std::string& name) {
    static const char kExtension[] = ".d88";
    const std::size_t length = sizeof kExtension - 1;
    if (name.size() <= length) {
        return false;
    }
    for (std::size_t i = 0; i < length; ++i) {
        if (folded(name[name.size() - length + i]) != static_cast<unsigned char>(kExtension[i])) {
            return false;
        }
    }
    return true;
}

bool comesBefore(const std::string& a, const std::string& b) {
    const int asRead = compareAsRead(a, b);
    return asRead != 0 ? asRead < 0 : a < b;
}

std::vector<std::string> imagesAmong(std::vector<std::string> names) {
    names.erase(std::remove_if(names.begin(), names.end(),
                               [](const std::string& name) { return !isD88Name(name); }),
                names.end());
    std::sort(names.begin(), names.end(), comesBefore);
    return names;
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
        return text + whatTheFileIs(tally.survey, form) +
               messageText(form, messages::kSummaryMoreInInfo);
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
                 {messages::kSummaryFromMarkedRecords, tally.fromMarkedRecords},
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

    const WindowRun plan =
        planWindowRun(count, args.data(), kSystemPaths, d88::os::namesRegularFile, isFolderPath);
    std::vector<std::string> leftOutWithoutOp;
    runState.summaryFollows = true;
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
                d88::os::namesRegularFile(args[1]) && !enterFolderOf(args[1])) {
                break;
            }
            status = runCutter(count, args.data());
            printSummary();
            if (runState.tally.leftOutWithoutOp) {
                leftOutWithoutOp.push_back(fileNameOf(args[1], kSystemPaths));
            }
            break;
    }
    printOpHint(leftOutWithoutOp);
    runState.summaryFollows = false;
    printOut(messages::kPressAKey);
    finishStandardOutput();
    return status;
}

}  // namespace d88cut
