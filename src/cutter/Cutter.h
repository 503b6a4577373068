// One run of d88cut: the command line, the image and the loop over its disks.
#pragma once

namespace d88cut {

// Runs the whole tool on a command line and returns the exit status: 1 for a
// usage error, an image that cannot be opened or an output file that could not
// be written, 0 otherwise.
int runCutter(int argc, char** argv);

}  // namespace d88cut
