// Whether a disk header looks like one a D88 writer made: a file that is no
// D88 image (a text file, a zip) read as one gives a header of noise, and
// the doubts say what gives it away.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "FilesWords.h"
#include "d88/HeaderCheck.h"

namespace d88info {

// What `found` (d88::checkHeader of a header whose media byte is `media`)
// gives away, each in `words`: a media byte no writer uses, a disk size
// smaller than a header, the first track anywhere but right after the header,
// most track offsets pointing outside the disk, a disk size past the end of
// the file with not one track in the file. None when it looks like one; damage
// a real image may have (a track or two pointing nowhere, the file ending
// inside the disk) raises no doubt alone.
std::vector<std::string> headerDoubts(const d88::HeaderFindings& found, std::uint8_t media,
                                      const FilesWords& words);

}  // namespace d88info
