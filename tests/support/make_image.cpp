// Writes D88 images made by the image builder: the sample image that holds
// every disk of the set, for trying d88cut out without owning a disk.
//
//   d88mkimage sample OUT    the eight disks of the set, each a full 160-track disk
#include <cstdio>
#include <cstring>
#include <exception>
#include <string>
#include <vector>

#include "ImageBuilder.h"

namespace {

using d88test::Bytes;

Bytes sampleImage() {
    std::vector<Bytes> disks;
    for (d88test::SetDisk disk : d88test::kAllSetDisks) {
        disks.push_back(d88test::setDisk(disk).build());
    }
    return d88test::concat(disks);
}

int usage() {
    std::fputs("usage: d88mkimage sample OUT\n", stderr);
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        return usage();
    }
    try {
        if (std::strcmp(argv[1], "sample") == 0) {
            d88test::writeFile(argv[2], sampleImage());
            return 0;
        }
    } catch (const std::exception& error) {
        std::fprintf(stderr, "d88mkimage: %s\n", error.what());
        return 1;
    }
    return usage();
}
