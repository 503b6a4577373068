// d88merge: merges several dumps of the same disks into one D88 image.
#include "Merge.h"
#include "system/ConsoleText.h"

#ifdef _WIN32
#include "DroppedMerge.h"
#include "system/UserLanguage.h"

// Windows hands the command line over as UTF-16, so that any path opens. A
// run dropped on or double-clicked has a console window of its own, which
// closes when it ends: there the images dropped are merged beside the first,
// and the window stays until a key is pressed, once.
int wmain(int argc, wchar_t** argv) {
    char** arguments = d88console::utf8Arguments(argc, argv);
    if (!d88console::startedInOwnConsole()) {
        return d88merge::runMerge(argc, arguments, stdout, stderr);
    }
    const bool japanese = d88console::userReadsJapanese();
    const int status = d88merge::mergeDropped(argc, arguments, japanese, stdout, stdout);
    std::fflush(stdout);
    d88console::printText(stdout, japanese ? "何かキーを押すとウィンドウを閉じます.\n"
                                           : "Press any key to close this window.\n");
    d88console::waitForKey();
    return status;
}
#else
// A reader that stops reading (d88merge a b | head) makes the writes fail
// rather than end the program.
int main(int argc, char** argv) {
    d88console::ignoreReadersGoingAway();
    return d88merge::runMerge(argc, argv, stdout, stderr);
}
#endif
