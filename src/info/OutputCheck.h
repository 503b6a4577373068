// The end of a run's output: whatever mode printed it, a write that failed is
// reported once, unless only because the output's reader went away.
#pragma once

#include <cstdio>

#include "Language.h"

namespace d88info {

// Flushes `out` and returns the run's exit status: `status`, or 1 with one
// message on `err` when something printed on `out` could not be written (a
// full disk, /dev/full). A reader that went away (a closed pipe) ends the run
// quietly, as it ends cat. Clears the error of `out` for a run after it.
int finishOutput(std::FILE* out, std::FILE* err, int status, Language language);

}  // namespace d88info
