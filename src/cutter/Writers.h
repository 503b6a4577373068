// The two ways an output file is written: from a run of sectors read into the
// work buffer, or from bytes already assembled there.
#pragma once

#include <cstdint>

namespace d88cut {

// Reads `skip` + `length` bytes of the run that starts at sector (c, h, r, n)
// on `track` into the work buffer and writes bytes `skip` onward to `fileName`.
// Nothing is printed or touched when the first sector cannot be read. A run
// that breaks off later is written at full length, zero-filled from the break,
// with a warning. Returns true when the file was written.
bool writeRun(const char* fileName, std::int32_t track, std::int32_t c, std::int32_t h,
              std::int32_t r, std::int32_t n, std::int32_t skip, std::int32_t length);

// Writes `length` bytes from `data` to `fileName`; `partial` adds the warning
// that part of the file could not be read. Returns true when the file was
// written. A file that cannot be written is reported and marks the run failed.
bool writeBuffer(const char* fileName, const std::uint8_t* data, std::int32_t length,
                 bool partial = false);

}  // namespace d88cut
