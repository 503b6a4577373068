// d88merge: merges several dumps of the same disks into one D88 image.
#include "Merge.h"
#include "system/ConsoleText.h"

#ifdef _WIN32
int wmain(int argc, wchar_t** argv) {
    return d88merge::runMerge(argc, d88console::utf8Arguments(argc, argv), stdout, stderr);
}
#else
// A reader that stops reading (d88merge a b | head) makes the writes fail
// rather than end the program.
int main(int argc, char** argv) {
    d88console::ignoreReadersGoingAway();
    return d88merge::runMerge(argc, argv, stdout, stderr);
}
#endif
