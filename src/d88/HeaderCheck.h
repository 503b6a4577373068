// Whether a disk header looks like one a D88 writer made: a file that is no
// D88 image (a text file, a zip) read as one gives a header of noise, and
// these findings say what gives it away. Only numbers: the tools say them in
// their own words.
#pragma once

#include <cstdint>

#include "DiskHeader.h"

namespace d88 {

struct HeaderFindings {
    // The media byte is none of those D88 writers use (2D, 2DD, 2HD, 1D, 1DD).
    bool unknownMedia = false;
    // The disk size is smaller than a header of its form.
    bool smallerThanHeader = false;
    // Track offsets other than 0 in the table, and those of them that point
    // outside the disk: into its header, or beyond its size.
    int presentTracks = 0;
    int tracksOutside = 0;
    // The lowest track offset, when it is not right after the header, where
    // a writer puts the first track; 0 when it is there or no track is.
    std::uint32_t misplacedFirstTrack = 0;
    // The disk size runs past the end of the file, and not one track that
    // points inside the disk lies in the file.
    bool pastFileEndWithNoTrack = false;
    std::int64_t bytesLeftInFile = 0;

    std::uint32_t headerSize = 0;
    std::uint32_t diskSize = 0;

    // Most track offsets point outside the disk.
    bool mostTracksOutside() const { return tracksOutside * 2 > presentTracks; }
    // Nothing gives the header away: a D88 writer may have made it. Damage a
    // real image may have (a track or two pointing nowhere, the file ending
    // inside the disk) raises no doubt alone.
    bool looksWritten() const {
        return !unknownMedia && !smallerThanHeader && misplacedFirstTrack == 0 &&
               !mostTracksOutside() && !pastFileEndWithNoTrack;
    }
};

// What the header of the disk at file offset `start`, in a file of
// `fileSize` bytes, gives away.
HeaderFindings checkHeader(const DiskHeader& header, std::int64_t start, std::int64_t fileSize);

}  // namespace d88
