#include "FilesListing.h"

#include <cstdio>

#include "HeaderDoubts.h"

namespace d88info {

namespace {

void addDisk(std::string& text, const DiskOutcome& disk, const CutChoice& choice,
             const NameForm& nameForm, const FilesWords& words) {
    text += "\n" + words.diskHeading(disk.index, disk.start);
    if (!disk.headerRead) {
        text += words.unreadHeader() + ": " + words.verdict(disk, choice) + "\n";
        return;
    }
    text +=
        "\"" + nameText(nameForm, disk.header.name) + "\": " + words.verdict(disk, choice) + "\n";
    const std::vector<std::string> doubts =
        headerDoubts(disk.headerFindings, disk.header.media, words);
    if (!doubts.empty()) {
        text += words.headerLine(doubts) + "\n";
    }
    for (const d88cut::FileFate& file : disk.files) {
        char name[16];
        std::snprintf(name, sizeof name, "  %-8s  ", file.file.name);
        text += name + words.fileText(file) + "\n";
    }
}

}  // namespace

std::string filesListingText(const ImageOutcome& image, const NameForm& nameForm,
                             const FilesWords& words) {
    std::string text = words.imageLine(image) + "\n" + words.cutLine(image.choice) + "\n";
    for (const DiskOutcome& disk : image.disks) {
        addDisk(text, disk, image.choice, nameForm, words);
    }
    return text + "\n" + words.countsLine(image.counts) + "\n";
}

void printFilesListing(std::FILE* out, const ImageOutcome& image, const NameForm& nameForm,
                       const FilesWords& words) {
    const std::string text = filesListingText(image, nameForm, words);
    if (nameForm.text == d88console::TextForm::Bytes) {
        std::fwrite(text.data(), 1, text.size(), out);
    } else {
        d88console::writeUtf8(out, nameForm.text, text.data(), text.size());
    }
}

}  // namespace d88info
