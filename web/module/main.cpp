// The browser's entry point: one module holds the three tools, and the name the
// module is started with (argv[0]) says which one runs. The page starts a
// fresh module for every run, so nothing of one run is left for the next.
#include <cstdio>
#include <cstring>

#include "cutter/Cutter.h"
#include "cutter/Output.h"
#include "info/Info.h"
#include "merge/Merge.h"

int main(int argc, char** argv) {
    if (argc > 0 && std::strcmp(argv[0], "d88info") == 0) {
        return d88info::runInfo(argc, argv, stdout, stderr);
    }
    if (argc > 0 && std::strcmp(argv[0], "d88merge") == 0) {
        return d88merge::runMerge(argc, argv, stdout, stderr);
    }
    d88cut::prepareStandardStreams();
    return d88cut::runCutter(argc, argv);
}
