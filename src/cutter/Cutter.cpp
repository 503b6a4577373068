#include "Cutter.h"

#include <optional>

#include "CommandLine.h"
#include "Extraction.h"
#include "IdentifyDisk.h"
#include "Messages.h"
#include "Output.h"
#include "RunState.h"
#include "diskset/Identification.h"
#include "diskset/ImageSurvey.h"

namespace d88cut {

namespace {

void processDisk(std::int32_t index, const Arguments& args) {
    runState.image.selectDisk(index);
    // Whatever this disk's reads leave unfilled reads as zero.
    clearWorkBuffer();
    const std::optional<DiskKind> kind = identifyDisk(args.diskNo);
    if (kind) {
        extractDisk(*kind, args.opFlag);
        const KindCuts* cuts = kindInfo(*kind).cuts;
        if (!args.opFlag && cuts != nullptr && cuts->opRuns[0].fileName != nullptr) {
            runState.tally.leftOutWithoutOp = true;
        }
    }
}

}  // namespace

bool cutImage(const Arguments& args) {
    if (!runState.image.open(args.imagePath)) {
        printErr(messages::kCannotOpen);
        return false;
    }
    runState.tally.imageOpened = true;
    const std::int32_t diskCount = runState.image.diskCount();
    for (std::int32_t index = 0; index < diskCount; ++index) {
        processDisk(index, args);
        // With a disk number only the first disk of the file is processed.
        if (args.diskNo != 0) {
            break;
        }
    }
    if (runState.tally.disksRecognised == 0) {
        if (runState.summaryFollows) {
            // The summary says what the file is instead.
            clearWorkBuffer();
            runState.tally.survey = surveyImage(runState.image, workBufferFor(0, kProbeBufferSize));
        } else {
            printErr(messages::kNoDiskOfTheSet);
        }
    }
    return true;
}

int runCutter(int argc, char** argv) {
    Arguments args;
    runState.filesCut = 0;
    clearTally();
    if (!parseArguments(argc, argv, args)) {
        return 1;
    }
    runState.outputFailed = false;
    if (args.request == Request::Help) {
        printHelp(argc, argv);
    } else if (args.request == Request::Version) {
        printOut(messages::kVersion);
    } else if (!cutImage(args)) {
        return 1;
    }
    if (!finishStandardOutput()) {
        printErr(messages::kCannotWriteStandardOutput);
        runState.outputFailed = true;
    }
    return runState.outputFailed ? 1 : 0;
}

}  // namespace d88cut
