// What one run of d88cut shares across its disks, gathered in one place: the
// one image reader, the one data buffer that every read lands in and every
// file is written from, and whether an output could not be written.
#pragma once

#include <cstddef>
#include <cstdint>

#include "d88/D88Image.h"

namespace d88cut {

// 400 sectors of 1,024 bytes.
inline constexpr std::size_t kWorkBufferSize = 409600;

struct RunState {
    d88::D88Image image;
    std::uint8_t workBuffer[kWorkBufferSize];
    // An output file or standard output could not be written: the exit status is 1.
    bool outputFailed;
    // Files announced with "cutting ..." in this run.
    std::int32_t filesCut;
};

// Constructed before main runs and destroyed at exit, which closes the image.
extern RunState runState;

}  // namespace d88cut
