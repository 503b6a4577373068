// One run of d88cut: the command line, the image and the loop over its disks.
#pragma once

namespace d88cut {

// Runs the whole tool on a command line and returns the exit status: 1 for a
// usage error, an image that cannot be opened or an output file that could not
// be written, 0 otherwise. A request for help or the version prints it and
// returns 0.
int runCutter(int argc, char** argv);

// Ends a run in a console window of its own (d88cut.exe dropped on or
// double-clicked): says in which folder the files were cut, when any were,
// and waits for a key, so that the window stays until it has been read.
void holdOwnConsole();

}  // namespace d88cut
