#include "Info.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "DiskGeometry.h"
#include "DiskName.h"
#include "DiskPicture.h"
#include "DiskSummary.h"
#include "FileOutcomes.h"
#include "FilesListing.h"
#include "HexDump.h"
#include "InfoMessages.h"
#include "InfoOptions.h"
#include "LeftOut.h"
#include "OutputCheck.h"
#include "RecordListing.h"
#include "RecordStatus.h"
#include "TrackLayout.h"
#include "TrackProblems.h"
#include "TrackRecords.h"
#include "d88/D88Image.h"
#include "system/ConsoleText.h"

namespace d88info {

namespace {

// What every disk of one run is shown with.
struct InfoRun {
    InfoRun(const InfoOptions& runOptions, std::FILE* output)
        : options(runOptions), out(output), nameForm(nameFormFor(output, runOptions.utf8)) {}

    const InfoOptions& options;
    std::FILE* out;
    NameForm nameForm;
    d88::D88Image image;
    std::vector<std::uint8_t> scratch = std::vector<std::uint8_t>(kScratchSize);
    std::vector<std::uint8_t> sector = std::vector<std::uint8_t>(kLargestSector);
    std::unique_ptr<DiskTracks> tracks = std::make_unique<DiskTracks>();
};

InfoMessage openErrorMessage(d88::OpenError error) {
    switch (error) {
        case d88::OpenError::Missing:
            return InfoMessage::NoSuchFile;
        case d88::OpenError::Denied:
            return InfoMessage::PermissionDenied;
        case d88::OpenError::NotRegular:
            return InfoMessage::NotRegularFile;
        case d88::OpenError::None:
        case d88::OpenError::Failed:
            break;
    }
    return InfoMessage::SystemCannotOpen;
}

void showDisk(InfoRun& run, int index) {
    std::FILE* out = run.out;
    const std::int64_t start = run.image.diskStart(index);
    if (!run.image.selectDisk(index)) {
        std::fprintf(out, "disk %d at offset 0x%08llX: header cannot be read\n", index,
                     static_cast<unsigned long long>(start));
        return;
    }
    const d88::DiskHeader& header = run.image.diskHeader();
    printDiskHeading(out, index, start, header, run.image.fileSize(), run.nameForm);
    printIdentification(out, run.image, run.scratch.data());
    readDiskTracks(run.image, start, *run.tracks);
    const std::vector<std::string> problems =
        findTrackProblems(*run.tracks, start, header.diskSize);
    printTrackLayout(out, *run.tracks);
    if (problems.empty()) {
        if (const std::optional<Geometry> geometry = regularGeometry(*run.tracks)) {
            printGeometry(out, *geometry);
        }
    }
    printRecordCounts(out, *run.tracks);
    printTrackProblems(out, problems);
    if (run.options.verbose) {
        printRecordListing(out, *run.tracks);
    }
    if (run.options.dump) {
        printSectorDump(out, run.image, run.options.sector, run.sector.data());
    }
}

int showImage(int argc, char** argv, Language userLanguage, std::FILE* out, std::FILE* err) {
    InfoOptions options;
    switch (parseInfoOptions(argc, argv, userLanguage, options, out, err)) {
        case OptionsResult::Help:
            return 0;
        case OptionsResult::Error:
            return 1;
        case OptionsResult::Run:
            break;
    }
    InfoRun run(options, out);
    if (!run.image.open(options.imagePath)) {
        printOpenError(err, options.imagePath, run.image.openError(), options.language);
        return 1;
    }
    if (options.svg) {
        writePicture(out, run.image, run.scratch.data(), *run.tracks,
                     options.language == Language::Japanese ? PictureLanguage::Japanese
                                                            : PictureLanguage::English);
        return 0;
    }
    if (options.files) {
        const ImageOutcome outcome =
            accountFiles(run.image, {options.opFlag, options.diskNo}, run.scratch.data());
        if (options.json) {
            printFilesJson(out, outcome);
        } else {
            printFilesListing(out, outcome, run.nameForm, FilesWords(options.language));
        }
        return 0;
    }
    const int diskCount = run.image.diskCount();
    std::fprintf(out, "image: %lld bytes, %d disk%s\n",
                 static_cast<long long>(run.image.fileSize()), diskCount,
                 diskCount == 1 ? "" : "s");
    for (int index = 0; index < diskCount; ++index) {
        std::fputc('\n', out);
        showDisk(run, index);
    }
    printLeftOut(out, run.image);
    return 0;
}

}  // namespace

void printOpenError(std::FILE* err, const char* path, d88::OpenError error, Language language) {
    const std::string line =
        std::string("d88info: ") + messageText(language, InfoMessage::CannotOpen) + "\n";
    d88console::printText(err, line.c_str(), path, messageText(language, openErrorMessage(error)));
}

int runInfo(int argc, char** argv, std::FILE* out, std::FILE* err) {
    const Language language = languageAskedFor(argc, argv, defaultLanguage());
    return finishOutput(out, err, showImage(argc, argv, language, out, err), language);
}

}  // namespace d88info
