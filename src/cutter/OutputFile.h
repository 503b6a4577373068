// One output file of the cut: created or emptied without ever waiting, never
// when it is the image being read, and written in one go.
#pragma once

#include <cstddef>
#include <cstdint>

#include "system/SystemFile.h"

namespace d88cut {

class OutputFile {
  public:
    OutputFile() = default;
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    // Opens `fileName` for writing, creating it when it is not there. False,
    // with nothing changed, when it cannot be opened without waiting (a FIFO
    // with no reader) or when it is the file `image`, under whatever name or
    // link.
    bool create(const char* fileName, const d88::FileIdentity& image);
    // Writes all `length` bytes from the start of the file, cuts off whatever
    // an earlier file of that name held beyond them, and closes the file;
    // false when any of it fails. A plain file whose write fails part way is
    // cut to the bytes that were written (none, for a file that took none).
    bool writeAndClose(const std::uint8_t* data, std::size_t length);

  private:
    bool close();

    d88::os::Handle handle = d88::os::kNoHandle;
    bool regular = false;           // a plain file, which can be cut short
    std::int64_t previousSize = 0;  // what the file held when it was opened
};

}  // namespace d88cut
