// d88cut: cuts the data files of a known set of disks out of a D88 image.
#include "Cutter.h"

int main(int argc, char** argv) {
    return d88cut::runCutter(argc, argv);
}
