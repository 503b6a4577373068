// What a file given as an image is, taken over every disk it holds: empty,
// too short for a disk header, no D88 image at all (no header makes sense
// and no disk is of the set), or a D88 image with so many disks of the set.
#pragma once

#include <cstdint>

#include "d88/D88Image.h"

namespace d88cut {

enum class ImageNature {
    Empty,     // the file holds no byte
    TooShort,  // shorter than one disk header
    NotD88,    // no disk header in it makes sense and no disk is of the set
    D88,       // some disk is of the set, or has a header a D88 writer may have made
};

struct ImageSurvey {
    ImageNature nature;
    std::int64_t fileSize;
    int diskCount;
    // Disks whose probe sectors alone make them a disk of the set, and
    // headers that a D88 writer may have made.
    int disksOfTheSet;
    int sensibleHeaders;
};

// Surveys every disk of the open `image`, identifying each with `probeBuffer`
// (kProbeBufferSize bytes). Changes which disk is selected and the reader's
// sector range.
ImageSurvey surveyImage(d88::D88Image& image, std::uint8_t* probeBuffer);

}  // namespace d88cut
