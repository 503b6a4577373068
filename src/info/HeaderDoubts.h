// Whether a disk header looks like one a D88 writer made: a file that is no
// D88 image (a text file, a zip) read as one gives a header of noise, and
// the doubts say what gives it away.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "d88/DiskHeader.h"

namespace d88info {

// Why the header of the disk at `start` in a file of `fileSize` bytes does
// not look like one a D88 writer made: a media byte no writer uses, a disk
// size smaller than a header, the first track anywhere but right after the
// header, most track offsets pointing outside the disk, a disk size past the
// end of the file with not one track in the file. None when it looks like
// one; damage a real image may have (a track or two pointing nowhere, the
// file ending inside the disk) raises no doubt alone.
std::vector<std::string> headerDoubts(const d88::DiskHeader& header, std::int64_t start,
                                      std::int64_t fileSize);

}  // namespace d88info
