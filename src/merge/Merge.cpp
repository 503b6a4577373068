#include "Merge.h"

#include <cerrno>
#include <cstring>

#include "DiskMerge.h"
#include "MergeReport.h"
#include "MergedOutput.h"
#include "ReportLines.h"
#include "diskset/Identification.h"
#include "system/ConsoleText.h"
#include "system/UserLanguage.h"

namespace d88merge {

namespace {

const char* openErrorText(d88::OpenError error, bool japanese) {
    switch (error) {
        case d88::OpenError::Missing:
            return japanese ? "ファイルがありません" : "no such file";
        case d88::OpenError::Denied:
            return japanese ? "読み取りが許可されていません" : "permission denied";
        case d88::OpenError::NotRegular:
            return japanese ? "普通のファイルではありません" : "not a regular file";
        case d88::OpenError::None:
        case d88::OpenError::Failed:
            break;
    }
    return japanese ? "システムが開けません" : "the system cannot open it";
}

const char* outputFailureText(OutputFailure failure, bool japanese) {
    switch (failure) {
        case OutputFailure::IsAnInput:
            return japanese ? "統合するイメージの 1 つなので、上書きしません"
                            : "it is one of the images merged; not written over";
        case OutputFailure::NotRegular:
            return japanese ? "普通のファイルではありません。何も書き込んでいません"
                            : "not a plain file; nothing written";
        case OutputFailure::CannotCreate:
            return japanese ? "そのフォルダにファイルを作れません。何も書き込んでいません"
                            : "no file can be made in its folder (missing, or not writable); "
                              "nothing written";
        case OutputFailure::WriteFailed:
            return japanese
                       ? "書き込めません (ディスクがいっぱいかもしれません)。何も書き込んでいません"
                       : "the write failed (the disk may be full); nothing written";
        case OutputFailure::CannotRename:
            return japanese ? "書き終えたファイルをその名前にできません。何も書き込んでいません"
                            : "the complete file could not take that name; nothing written";
        case OutputFailure::Taken:
            return japanese ? "同じ名前のファイルがあるので、上書きしません"
                            : "a file of that name is there; not written over";
        case OutputFailure::None:
            break;
    }
    return "";
}

// The name each image is told by: its file name, or its path where two
// images share a file name.
void labelImages(std::vector<DumpImage>& dumps) {
    auto fileName = [](const std::string& path) {
        const std::size_t slash = path.find_last_of("/\\");
        return slash == std::string::npos ? path : path.substr(slash + 1);
    };
    for (DumpImage& dump : dumps) {
        dump.label = fileName(dump.path);
    }
    for (DumpImage& dump : dumps) {
        for (const DumpImage& other : dumps) {
            if (&other != &dump && fileName(other.path) == fileName(dump.path)) {
                dump.label = dump.path;
            }
        }
    }
}

std::vector<std::optional<d88cut::DiskKind>> kindsOf(d88::D88Image& image, std::uint8_t* scratch) {
    std::vector<std::optional<d88cut::DiskKind>> kinds;
    image.setSectorRange(d88cut::kIdentificationRange.first, d88cut::kIdentificationRange.last);
    for (int disk = 0; disk < image.diskCount(); ++disk) {
        kinds.push_back(image.selectDisk(disk) ? d88cut::identify(image, scratch, 0).kind
                                               : std::nullopt);
    }
    return kinds;
}

// Opens every image; false, with the cause said on `err`, when one cannot be
// read or is no D88 image.
bool openDumps(const MergeOptions& options, std::vector<DumpImage>& dumps, std::uint8_t* scratch,
               std::FILE* err) {
    const bool ja = options.japanese;
    for (const char* path : options.images) {
        dumps.emplace_back();
        DumpImage& dump = dumps.back();
        dump.path = path;
        if (!dump.image->open(path)) {
            d88console::printText(
                err, ja ? "d88merge: %s を開けません: %s\n" : "d88merge: cannot open %s: %s\n",
                path, openErrorText(dump.image->openError(), ja));
            return false;
        }
        dump.kinds = kindsOf(*dump.image, scratch);
        dump.files = filesOfImage(*dump.image, scratch);
        if (dump.image->diskCount() == 0 || !dump.files.looksLikeD88) {
            d88console::printText(err,
                                  ja ? "d88merge: %s は D88 イメージではありません\n"
                                     : "d88merge: %s is not a D88 image\n",
                                  path);
            return false;
        }
    }
    labelImages(dumps);
    return true;
}

bool finishOutput(std::FILE* out, std::FILE* err) {
    errno = 0;
    std::fflush(out);
    const bool lost = std::ferror(out) != 0 && !d88console::readerWentAway(errno);
    std::clearerr(out);
    if (lost) {
        std::fputs("d88merge: cannot write standard output\n", err);
    }
    return !lost;
}

// Merges every group, writing each merged disk to `output` when there is one;
// false, with the cause said, when the merged image cannot be made.
bool mergeGroups(const MergeOptions& options, MergeRun& run, MergedOutput* output,
                 std::uint8_t* scratch, std::FILE* err) {
    const bool ja = options.japanese;
    std::vector<std::uint8_t> bytes;
    ImageKinds kinds;
    for (const DumpImage& dump : run.dumps) {
        kinds.push_back(dump.kinds);
    }
    for (const DiskGroup& group : groupDisks(kinds)) {
        run.disks.push_back(mergeDisk(group, run.dumps, bytes, scratch));
        if (run.disks.back().tooLarge) {
            d88console::printText(
                err,
                ja ? "d88merge: 統合したディスク %d は 16 MiB を超えます。何も書き込んでいません\n"
                   : "d88merge: merged disk %d would hold more than 16 MiB; nothing written\n",
                static_cast<int>(run.disks.size() - 1));
            return false;
        }
        if (output != nullptr && !output->write(bytes.data(), bytes.size())) {
            d88console::printText(err, "d88merge: %s: %s\n", options.output,
                                  outputFailureText(output->failure(), ja));
            return false;
        }
    }
    return true;
}

}  // namespace

int mergeImages(const MergeOptions& options, bool replaceOutput, const ReportLayout& layout,
                std::FILE* out, std::FILE* err) {
    std::vector<std::uint8_t> scratch(d88cut::kProbeBufferSize);
    MergeRun run;
    if (!openDumps(options, run.dumps, scratch.data(), err)) {
        return 1;
    }
    MergedOutput output;
    if (options.output != nullptr) {
        std::vector<d88::FileIdentity> inputs;
        for (const DumpImage& dump : run.dumps) {
            inputs.push_back(dump.image->imageIdentity());
        }
        if (!output.begin(options.output, inputs, replaceOutput)) {
            d88console::printText(err, "d88merge: %s: %s\n", options.output,
                                  outputFailureText(output.failure(), options.japanese));
            return 1;
        }
    }
    if (!mergeGroups(options, run, options.output != nullptr ? &output : nullptr, scratch.data(),
                     err)) {
        return 1;
    }
    if (options.output != nullptr) {
        if (!output.finish()) {
            d88console::printText(err, "d88merge: %s: %s\n", options.output,
                                  outputFailureText(output.failure(), options.japanese));
            return 1;
        }
        run.output = options.output;
        run.written = true;
    }
    const int status = mergeStatus(run);
    if (options.json) {
        printReportJson(out, run, status);
    } else {
        for (const std::string& line :
             fitLines(reportLines(run, options.japanese), layout.columns)) {
            d88console::printText(out, "%s\n", line.c_str());
        }
    }
    return finishOutput(out, err) ? status : 1;
}

int runMerge(int argc, char** argv, std::FILE* out, std::FILE* err) {
    MergeOptions options;
    switch (parseMergeOptions(argc, argv, d88console::userReadsJapanese(), options, out, err)) {
        case OptionsResult::Help:
            return finishOutput(out, err) ? 0 : 1;
        case OptionsResult::Error:
            return 1;
        case OptionsResult::Run:
            break;
    }
    return mergeImages(options, true, {}, out, err);
}

}  // namespace d88merge
