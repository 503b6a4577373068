// The two ways an output file is written: from a run of sectors read into the
// work buffer, or from bytes already assembled there.
#pragma once

#include <cstdint>

#include "diskset/Catalogue.h"

namespace d88cut {

// Reads the bytes of `run` (sectors of size code kRunSizeCode, from its first
// sector on) into the work buffer and writes them to `fileName`. Nothing is
// printed or touched when the first sector cannot be read: the file is only
// tallied as not on the image. A run that breaks
// off later is written at full length, zero-filled from the break, with a
// warning. Returns true when the file was written.
bool writeRun(const char* fileName, const ExtractEntry& run);

// Writes `length` bytes from `data` to `fileName`; `partial` adds the warning
// that part of the file could not be read. Returns true when the file was
// written. A file that cannot be written is reported and marks the run failed.
// Either way the file is tallied: written (and partly read), or not written.
bool writeBuffer(const char* fileName, const std::uint8_t* data, std::int32_t length,
                 bool partial = false);

}  // namespace d88cut
