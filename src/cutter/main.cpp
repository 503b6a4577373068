// d88cut: cuts the data files of a known set of disks out of a D88 image.
#include "Cutter.h"
#include "Output.h"

#ifdef _WIN32
#include "OwnWindow.h"
#include "system/ConsoleText.h"

// Windows hands the command line over as UTF-16, so that any path opens. A
// run dropped on or double-clicked has a console window of its own, which
// closes when it ends: there each image is cut beside itself, with a summary,
// and the window stays until a key is pressed. Anywhere else (a shared console,
// a script, a pipe) the run is the command line's alone.
int wmain(int argc, wchar_t** argv) {
    d88cut::prepareStandardStreams();
    char** arguments = d88console::utf8Arguments(argc, argv);
    if (!d88console::startedInOwnConsole()) {
        return d88cut::runCutter(argc, arguments);
    }
    const int status = d88cut::runInOwnWindow(argc, arguments);
    d88console::waitForKey();
    return status;
}
#else
int main(int argc, char** argv) {
    d88cut::prepareStandardStreams();
    return d88cut::runCutter(argc, argv);
}
#endif
