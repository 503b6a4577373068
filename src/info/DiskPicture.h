// d88info --svg: one SVG picture of every disk of an image, a panel per disk
// with a row per track and a cell per record, coloured by what its header and
// the file say of it, so that damage shows at a glance.
#pragma once

#include <cstdint>
#include <cstdio>

#include "PictureWords.h"
#include "TrackRecords.h"
#include "d88/D88Image.h"

namespace d88info {

// Writes the picture of the open `image` on `out`, its words in `language`.
// `scratch` holds kScratchSize bytes; `tracks` is room for one disk's tracks.
// Changes which disk is selected.
void writePicture(std::FILE* out, d88::D88Image& image, std::uint8_t* scratch, DiskTracks& tracks,
                  PictureLanguage language);

}  // namespace d88info
