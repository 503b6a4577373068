// Walks the records of one track front to back through a window of the image
// file, so that passing over a record costs no system call: the file is read
// a window at a time, and only the data of the record that is wanted is copied.
#pragma once

#include <cstddef>
#include <cstdint>

#include "ImageFile.h"
#include "SectorHeader.h"

namespace d88 {

class TrackReader {
  public:
    // Starts at file offset `start`; `window` is the owner's scratch space.
    TrackReader(ImageFile& file, std::uint8_t* window, std::size_t windowSize, std::int64_t start)
        : file(file), window(window), windowSize(windowSize), position(start) {}

    // Reads the next record's header; false when the file ends inside it.
    bool nextHeader(SectorHeader& header);
    // Copies the first `count` bytes (at most the data length) of the current
    // record's data into `dest`; returns how many of them the file really holds.
    std::int32_t readData(std::uint8_t* dest, std::int32_t count);
    // Moves on past the current record's data.
    void skipData() { position += dataLength; }

  private:
    void fillAt(std::int64_t offset);
    std::int64_t windowEnd() const { return windowStart + static_cast<std::int64_t>(windowLength); }
    // True once a read came back short: the file ends at windowEnd().
    bool windowReachesEnd() const { return windowLength < windowSize; }

    ImageFile& file;
    std::uint8_t* window;
    std::size_t windowSize;
    std::int64_t windowStart = 0;
    std::size_t windowLength = 0;
    bool windowValid = false;
    std::int64_t position;  // file offset of the next header, or of the current data
    std::uint16_t dataLength = 0;
};

}  // namespace d88
