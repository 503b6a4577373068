#include "Writers.h"

#include <cstring>

#include "Messages.h"
#include "Output.h"
#include "OutputFile.h"
#include "RunState.h"

namespace d88cut {

namespace {

bool reportWriteFailure(const char* fileName) {
    printErr(messages::kCannotWrite, fileName);
    runState.outputFailed = true;
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
                   std::int32_t length) {
    if (!outputFile.writeAndClose(data, static_cast<std::size_t>(length))) {
        return reportWriteFailure(fileName);
    }
    return true;
}

}  // namespace

bool writeRun(const char* fileName, const ExtractEntry& run) {
    const std::int32_t wanted = run.length;
    if (wanted < 0 || wanted > static_cast<std::int32_t>(kWorkBufferSize)) {
        return false;
    }
    const d88::TrackAddress start = run.address();
    std::uint8_t* const workBuffer = workBufferFor(0, static_cast<std::size_t>(wanted));
    const std::int32_t bytesRead =
        runState.image.readSectors(start.index, start.cylinder(), start.head(), run.startSector,
                                   kRunSizeCode, workBuffer, wanted);
    if (bytesRead == 0) {
        return false;
    }
    // What the run did not deliver is zero, never what an earlier read left.
    const bool partial = bytesRead < wanted;
    if (partial) {
        std::memset(workBuffer + bytesRead, 0, static_cast<std::size_t>(wanted - bytesRead));
    }
    announce(fileName, partial);
    OutputFile outputFile;
    if (!openOutput(outputFile, fileName)) {
        return reportWriteFailure(fileName);
    }
    return writeAndClose(outputFile, fileName, workBuffer, wanted);
}

bool writeBuffer(const char* fileName, const std::uint8_t* data, std::int32_t length,
                 bool partial) {
    OutputFile outputFile;
    if (!openOutput(outputFile, fileName)) {
        return reportWriteFailure(fileName);
    }
    announce(fileName, partial);
    return writeAndClose(outputFile, fileName, data, length);
}

}  // namespace d88cut
