// What of an image file its disk index leaves out, said after the disks: a
// disk beyond the 64th, one that would start at or beyond offset 2^31, bytes
// after the last disk too few for a disk header, and a disk of size 0, whose
// header the index counts again as each disk after it.
#pragma once

#include <cstdio>

#include "d88/D88Image.h"

namespace d88info {

// An empty line and one line for what the index of `image` left out, if anything; may change
// which disk is selected.
void printLeftOut(std::FILE* out, d88::D88Image& image);

}  // namespace d88info
