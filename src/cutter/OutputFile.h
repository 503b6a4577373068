// One output file of the cut: created or emptied without ever waiting, never
// when it is the image being read, and written in one go.
#pragma once

#include <cstddef>
#include <cstdint>

#include "d88/ImageFile.h"

namespace d88cut {

class OutputFile {
  public:
    OutputFile() = default;
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    // Opens `fileName` for writing, creating it or, when it is a regular
    // file, emptying it. False, with nothing changed, when it cannot be
    // opened without waiting (a FIFO with no reader) or when it is the file
    // `image`, under whatever name or link.
    bool create(const char* fileName, const d88::FileIdentity& image);
    // Writes all `length` bytes and closes the file; false when either fails.
    bool writeAndClose(const std::uint8_t* data, std::size_t length);

  private:
    static constexpr std::intptr_t kNoHandle = -1;
    bool close();

    std::intptr_t handle = kNoHandle;
};

}  // namespace d88cut
