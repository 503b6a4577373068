// Checking the command line: the image path and one optional argument, a disk
// number 1-8 or "-op"; or, as the only argument, a request for help ("-h",
// "--help", and "/?" on Windows) or the version ("--version").
#pragma once

namespace d88cut {

enum class Request { Cut, Help, Version };

struct Arguments {
    Request request = Request::Cut;
    const char* imagePath = nullptr;
    int diskNo = 0;  // 0 when no disk number is given
    bool opFlag = false;
};

// Fills `args` and returns true when the command line is good; otherwise
// prints the matching usage text on standard error and returns false.
bool parseArguments(int argc, char** argv, Arguments& args);

// Prints the usage and what is cut where on standard output, for a request
// for help.
void printHelp(int argc, char** argv);

}  // namespace d88cut
