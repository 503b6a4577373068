// d88info: shows what each disk of a D88 image holds and which disk of the set
// d88cut recognises in it.
#include <cstdio>

#include "Info.h"
#include "InfoWindow.h"
#include "system/ConsoleText.h"

#ifdef _WIN32
// Windows hands the command line over as UTF-16, so that any path opens. A
// run dropped on or double-clicked has a console window of its own, which
// closes when it ends: there each image dropped is listed as --files -op
// lists it, and the window stays until a key is pressed.
int wmain(int argc, wchar_t** argv) {
    char** arguments = d88console::utf8Arguments(argc, argv);
    if (!d88console::startedInOwnConsole()) {
        return d88info::runInfo(argc, arguments, stdout, stderr);
    }
    const int status = d88info::runInOwnWindow(argc, arguments);
    d88console::waitForKey();
    return status;
}
#else
// A reader that stops reading (d88info -v image | head) makes the writes fail
// rather than end the program, which then ends quietly (see runInfo).
int main(int argc, char** argv) {
    d88console::ignoreReadersGoingAway();
    return d88info::runInfo(argc, argv, stdout, stderr);
}
#endif
