// d88cut: cuts the data files of a known set of disks out of a D88 image.
#include "Console.h"
#include "Cutter.h"

int main(int argc, char** argv) {
    d88cut::prepareStandardStreams();
    return d88cut::runCutter(argc, argv);
}
