// d88info: shows what each disk of a D88 image holds and which disk of the set
// d88cut recognises in it.
#include <cstdio>

#include "Info.h"

int main(int argc, char** argv) {
    return d88info::runInfo(argc, argv, stdout, stderr);
}
