#include "Writers.h"

#include <cstdio>
#include <cstring>

#include "Messages.h"
#include "RunState.h"

namespace d88cut {

namespace {

bool outputFailed = false;

bool reportWriteFailure(const char* fileName) {
    std::fprintf(stderr, messages::kCannotWrite, fileName);
    outputFailed = true;
    return false;
}

void announce(const char* fileName, bool partial) {
    std::printf(messages::kCutting, fileName);
    if (partial) {
        std::fprintf(stderr, messages::kPartlyRead, fileName);
    }
}

// Creates or empties `fileName` for writing; null when it cannot be, and when
// it is the image being read, which emptying would destroy.
std::FILE* openOutput(const char* fileName) {
    if (image.isImageFile(fileName)) {
        return nullptr;
    }
    return std::fopen(fileName, "wb");
}

// Writes the whole of `data` in one go and closes the file.
bool writeAndClose(std::FILE* outputFile, const char* fileName, const std::uint8_t* data,
                   std::int32_t length) {
    const std::size_t size = static_cast<std::size_t>(length);
    const bool written = std::fwrite(data, 1, size, outputFile) == size;
    const bool closed = std::fclose(outputFile) == 0;
    if (!written || !closed) {
        return reportWriteFailure(fileName);
    }
    return true;
}

}  // namespace

bool writeRun(const char* fileName, std::int32_t track, std::int32_t c, std::int32_t h,
              std::int32_t r, std::int32_t n, std::int32_t skip, std::int32_t length) {
    if (skip < 0 || length < 0 || length > static_cast<std::int32_t>(kWorkBufferSize) - skip) {
        return false;
    }
    const std::int32_t wanted = skip + length;
    const std::int32_t bytesRead = image.readSectors(track, c, h, r, n, workBuffer, wanted);
    if (bytesRead == 0) {
        return false;
    }
    // What the run did not deliver is zero, never what an earlier read left.
    const bool partial = bytesRead < wanted;
    if (partial) {
        std::memset(workBuffer + bytesRead, 0, static_cast<std::size_t>(wanted - bytesRead));
    }
    announce(fileName, partial);
    std::FILE* outputFile = openOutput(fileName);
    if (outputFile == nullptr) {
        return reportWriteFailure(fileName);
    }
    return writeAndClose(outputFile, fileName, workBuffer + skip, length);
}

bool writeBuffer(const char* fileName, const std::uint8_t* data, std::int32_t length,
                 bool partial) {
    std::FILE* outputFile = openOutput(fileName);
    if (outputFile == nullptr) {
        return reportWriteFailure(fileName);
    }
    announce(fileName, partial);
    return writeAndClose(outputFile, fileName, data, length);
}

bool anyOutputFailed() {
    return outputFailed;
}

void clearOutputFailures() {
    outputFailed = false;
}

}  // namespace d88cut
