#include "Cutter.h"

#include <optional>

#include "CommandLine.h"
#include "Extraction.h"
#include "IdentifyDisk.h"
#include "Messages.h"
#include "Output.h"
#include "RunState.h"
#include "system/ConsoleText.h"

namespace d88cut {

namespace {

void processDisk(std::int32_t index, const Arguments& args) {
    runState.image.selectDisk(index);
    // Whatever this disk's reads leave unfilled reads as zero.
    clearWorkBuffer();
    const std::optional<DiskKind> kind = identifyDisk(args.diskNo);
    if (kind) {
        extractDisk(*kind, args.opFlag);
    }
}

}  // namespace

int runCutter(int argc, char** argv) {
    Arguments args;
    runState.filesCut = 0;
    if (!parseArguments(argc, argv, args)) {
        return 1;
    }
    runState.outputFailed = false;
    if (args.request == Request::Help) {
        printHelp(argc, argv);
    } else if (args.request == Request::Version) {
        printOut(messages::kVersion);
    } else if (!runState.image.open(args.imagePath)) {
        printErr(messages::kCannotOpen);
        return 1;
    } else {
        const std::int32_t diskCount = runState.image.diskCount();
        for (std::int32_t index = 0; index < diskCount; ++index) {
            processDisk(index, args);
            // With a disk number only the first disk of the file is processed.
            if (args.diskNo != 0) {
                break;
            }
        }
    }
    if (!finishStandardOutput()) {
        printErr(messages::kCannotWriteStandardOutput);
        runState.outputFailed = true;
    }
    return runState.outputFailed ? 1 : 0;
}

void holdOwnConsole() {
    const std::string folder = d88console::currentFolder();
    if (runState.filesCut > 0 && !folder.empty()) {
        printOut(messages::kFilesWentTo, outName(folder.c_str()).c_str());
    }
    printOut(messages::kPressAKey);
    finishStandardOutput();
    d88console::waitForKey();
}

}  // namespace d88cut
