// Checking the command line: the image path and one optional argument, a disk
// number 1-8 or "-op".
#pragma once

namespace d88cut {

struct Arguments {
    const char* imagePath = nullptr;
    int diskNo = 0;  // 0 when no disk number is given
    bool opFlag = false;
};

// Fills `args` and returns true when the command line is good; otherwise
// prints the matching usage text on standard error and returns false.
bool parseArguments(int argc, char** argv, Arguments& args);

}  // namespace d88cut
