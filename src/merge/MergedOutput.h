// The merged image's file: written to a temporary file beside it and renamed
// into place only when complete, so that a failure never leaves half an image,
// and never one of the images being merged.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "system/SystemFile.h"

namespace d88merge {

enum class OutputFailure {
    None,
    IsAnInput,     // the name leads to one of the images merged
    NotRegular,    // a folder, device or pipe is there
    CannotCreate,  // no file can be made in its folder
    WriteFailed,   // a write failed (a full disk...)
    CannotRename,  // the complete file could not take its name
    Taken,         // a file of that name is there, and may not be replaced
};

class MergedOutput {
  public:
    MergedOutput() = default;
    ~MergedOutput() { abandon(); }
    MergedOutput(const MergedOutput&) = delete;
    MergedOutput& operator=(const MergedOutput&) = delete;

    // Starts the file `path`, which must not be any of `inputs`; with
    // `replace` unset, a file of that name must not be there at all.
    bool begin(const std::string& path, const std::vector<d88::FileIdentity>& inputs, bool replace);
    bool write(const std::uint8_t* data, std::size_t length);
    // Closes the temporary file and gives it its name.
    bool finish();
    // Closes and removes the temporary file, if any.
    void abandon();

    OutputFailure failure() const { return failed; }

  private:
    bool fail(OutputFailure why);

    std::string target;
    std::string temporary;
    bool replacing = false;
    d88::os::Handle handle = d88::os::kNoHandle;
    OutputFailure failed = OutputFailure::None;
};

}  // namespace d88merge
