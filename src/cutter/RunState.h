// What one run of d88cut shares across its disks: the one image reader and the
// one data buffer that every read lands in and every file is written from.
#pragma once

#include <cstddef>
#include <cstdint>

#include "d88/D88Image.h"

namespace d88cut {

// 400 sectors of 1,024 bytes.
inline constexpr std::size_t kWorkBufferSize = 409600;

extern d88::D88Image image;
extern std::uint8_t workBuffer[kWorkBufferSize];

}  // namespace d88cut
