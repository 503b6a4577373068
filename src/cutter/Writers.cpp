#include "Writers.h"

#include "Messages.h"
#include "Output.h"
#include "OutputFile.h"
#include "RunState.h"

namespace d88cut {

namespace {

bool reportWriteFailure(const char* fileName) {
    printErr(messages::kCannotWrite, fileName);
    runState.outputFailed = true;
    runState.tally.notWritten.add(fileName);
    return false;
}

void announce(const FileFate& fate) {
    const char* fileName = fate.file.name;
    printOut(messages::kCutting, fileName);
    ++runState.filesCut;
    if (fate.partlyRead()) {
        printErr(messages::kPartlyRead, fileName);
    }
    if (fate.fromMarkedRecords()) {
        printErr(messages::kFromMarkedRecords, fileName);
    }
}

// Creates or empties `fileName` for writing; false when it cannot be, and
// when it is the image being read, which emptying would destroy.
bool openOutput(OutputFile& outputFile, const char* fileName) {
    return outputFile.create(fileName, runState.image.imageIdentity());
}

// Writes the whole file in one go and closes it.
bool writeAndClose(OutputFile& outputFile, const FileFate& fate, const std::uint8_t* data) {
    const char* fileName = fate.file.name;
    if (!outputFile.writeAndClose(data, static_cast<std::size_t>(fate.file.length()))) {
        return reportWriteFailure(fileName);
    }
    runState.tally.written.add(fileName);
    if (fate.partlyRead()) {
        runState.tally.partlyRead.add(fileName);
    }
    if (fate.fromMarkedRecords()) {
        runState.tally.fromMarkedRecords.add(fileName);
    }
    return true;
}

}  // namespace

bool writeCutFile(const FileFate& fate, const std::uint8_t* data) {
    const char* fileName = fate.file.name;
    if (!fate.isWritten()) {
        if (!runState.summaryFollows) {
            printErr(messages::kNotCut, fileName);
        }
        runState.tally.notOnImage.add(fileName);
        return false;
    }
    const bool announcedFirst = fate.file.pieceCount == 1;
    if (announcedFirst) {
        announce(fate);
    }
    OutputFile outputFile;
    if (!openOutput(outputFile, fileName)) {
        return reportWriteFailure(fileName);
    }
    if (!announcedFirst) {
        announce(fate);
    }
    return writeAndClose(outputFile, fate, data);
}

}  // namespace d88cut
