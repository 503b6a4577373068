// What one run of d88cut shares across its disks, gathered in one place: the
// one image reader, the one data buffer that every read lands in and every
// file is written from, and whether an output could not be written.
#pragma once

#include <cstddef>
#include <cstdint>

#include "d88/D88Image.h"
#include "diskset/Catalogue.h"

namespace d88cut {

// 400 sectors of 1,024 bytes.
inline constexpr std::size_t kWorkBufferSize = 409600;

struct RunState {
    d88::D88Image image;
    std::uint8_t workBuffer[kWorkBufferSize];
    // Bytes from the start of workBuffer that reads may have written since it
    // was last cleared; past them it holds only zeros.
    std::size_t workBufferUsed;
    // Clears all of workBuffer before each disk, not only workBufferUsed:
    // the narrow clearing is checked against it.
    bool clearWholeWorkBuffer;
    // An output file or standard output could not be written: the exit status is 1.
    bool outputFailed;
    // Files announced with "cutting ..." in this run.
    std::int32_t filesCut;
};

// Constructed before main runs and destroyed at exit, which closes the image.
extern RunState runState;

// The work buffer from `offset` on, for a read of at most `length` bytes
// there (all within the buffer). Every read into the buffer takes its place
// from here, so that the next clearing reaches what it wrote.
std::uint8_t* workBufferFor(std::size_t offset, std::size_t length);

// Reads `run` into the work buffer at `offset` (the run fits there) and
// zero-fills whatever of it the image did not deliver, so those bytes never
// hold what an earlier read left. Returns the bytes read.
std::int32_t readRun(const ExtractEntry& run, std::size_t offset);

// Makes the whole work buffer read as zeros again, before each disk.
void clearWorkBuffer();

}  // namespace d88cut
