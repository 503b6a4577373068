// d88info: shows what each disk of a D88 image holds and which disk of the set
// d88cut recognises in it.
#include <cstdio>

#include "Info.h"

#ifdef _WIN32
#include "console/ConsoleText.h"

// Windows hands the command line over as UTF-16, so that any path opens.
int wmain(int argc, wchar_t** argv) {
    return d88info::runInfo(argc, d88console::utf8Arguments(argc, argv), stdout, stderr);
}
#else
int main(int argc, char** argv) {
    return d88info::runInfo(argc, argv, stdout, stderr);
}
#endif
