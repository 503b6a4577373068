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

void announce(const char* fileName, bool partial) {
    printOut(messages::kCutting, fileName);
    ++runState.filesCut;
    if (partial) {
        printErr(messages::kPartlyRead, fileName);
    }
}

// Creates or empties `fileName` for writing; false when it cannot be, and
// when it is the image being read, which emptying would destroy.
bool openOutput(OutputFile& outputFile, const char* fileName) {
    return outputFile.create(fileName, runState.image.imageIdentity());
}

// Writes the whole of `data` in one go and closes the file.
bool writeAndClose(OutputFile& outputFile, const char* fileName, const std::uint8_t* data,
                   std::int32_t length, bool partial) {
    if (!outputFile.writeAndClose(data, static_cast<std::size_t>(length))) {
        return reportWriteFailure(fileName);
    }
    runState.tally.written.add(fileName);
    if (partial) {
        runState.tally.partlyRead.add(fileName);
    }
    return true;
}

}  // namespace

bool writeRun(const char* fileName, const ExtractEntry& run) {
    const std::int32_t wanted = run.length;
    if (wanted < 0 || wanted > static_cast<std::int32_t>(kWorkBufferSize)) {
        return false;
    }
    const std::int32_t bytesRead = readRun(run, 0);
    if (bytesRead == 0) {
        runState.tally.notOnImage.add(fileName);
        return false;
    }
    const bool partial = bytesRead < wanted;
    announce(fileName, partial);
    OutputFile outputFile;
    if (!openOutput(outputFile, fileName)) {
        return reportWriteFailure(fileName);
    }
    return writeAndClose(outputFile, fileName, runState.workBuffer, wanted, partial);
}

bool writeBuffer(const char* fileName, const std::uint8_t* data, std::int32_t length,
                 bool partial) {
    OutputFile outputFile;
    if (!openOutput(outputFile, fileName)) {
        return reportWriteFailure(fileName);
    }
    announce(fileName, partial);
    return writeAndClose(outputFile, fileName, data, length, partial);
}

}  // namespace d88cut
