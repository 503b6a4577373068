// One run of d88cut: the command line, the image and the loop over its disks.
#pragma once

#include "CommandLine.h"

namespace d88cut {

// Runs the whole tool on a command line and returns the exit status: 1 for a
// usage error, an image that cannot be opened or an output file that could not
// be written, 0 otherwise. A request for help or the version prints it and
// returns 0.
int runCutter(int argc, char** argv);

// Opens the image `args` names and cuts every disk of it (only the first with
// a disk number), tallying what it cuts in runState.tally; false, said on
// standard error, when the image cannot be opened.
bool cutImage(const Arguments& args);

}  // namespace d88cut
