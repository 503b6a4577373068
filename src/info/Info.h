// One run of d88info: the command line, the image, and what is shown of each
// of its disks.
#pragma once

#include <cstdio>

#include "Language.h"
#include "system/SystemFile.h"

namespace d88info {

// Runs d88info on a command line, printing on `out` and `err`, and returns the
// exit status: 0 once the image was read, 1 for a usage error, an image that
// cannot be opened, or output on `out` that could not be written (which is
// said on `err`; a reader of `out` that went away is no failure). -h prints
// the usage on `out` and returns 0.
// Messages, --files and --svg are in the language --lang asks for, else the
// user's (defaultLanguage()).
int runInfo(int argc, char** argv, std::FILE* out, std::FILE* err);

// "d88info: cannot open PATH: no such file" on `err`, in `language`.
void printOpenError(std::FILE* err, const char* path, d88::OpenError error, Language language);

}  // namespace d88info
