// Writing one output file from what the reading of its runs came to, with the
// lines that tell the user of it.
#pragma once

#include <cstdint>

#include "diskset/FileFate.h"

namespace d88cut {

// Writes the `fate.file.length()` bytes at `data` to the file of `fate`,
// whose runs were read there. A file none of whose runs read its first sector
// is not touched: it is said to be not cut (unless the summary at the end
// says so) and tallied as not on the image. A file written is announced with
// its "cutting ..." line, then warned of when a run broke off (the rest is
// zeros) and when any of its sectors came from a record that is not plainly
// normal. A file of one run is announced before its output is opened, one of
// several (MUSDRV) after. A file that cannot be written is reported and marks
// the run failed. Returns true when the file was written.
bool writeCutFile(const FileFate& fate, const std::uint8_t* data);

}  // namespace d88cut
