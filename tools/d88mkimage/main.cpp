// Writes D88 images made by the image builder.
//
//   d88mkimage sample OUT         the eight disks of the set, each a full 160-track disk
//   d88mkimage disks DIR          the same eight disks, each an image of its own
//                                 named after its disk number and kind:
//                                 "Set (Disk 1 - Opening Disk).d88" to
//                                 "Set (Disk 8 - Demo Disk 2).d88"
//   d88mkimage dumps DIR          three dumps of the eight disks, each damaged where the
//                                 others are good: dump1.d88 to dump3.d88
//   d88mkimage seeds DIR          small and damaged images for seeding the fuzzers
//   d88mkimage damaged OUT        two disks of the set with damage of every kind
//   d88mkimage large OUT          64 high-density disks of the set
//   d88mkimage hostile OUT BYTES  a disk whose record walks run on to the end of the file
//   d88mkimage chain OUT BYTES    the same, each track starting at a record of its own
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <iterator>
#include <string>
#include <vector>

#include "ImageRecipes.h"

namespace {

// The disks of the sample in its order (kAllSetDisks), by disk number and kind.
constexpr const char* kSampleDiskNames[] = {
    "Disk 1 - Opening Disk", "Disk 2 - Program Disk", "Disk 7 - Demo Disk 1",
    "Disk 3 - Data Disk 1",  "Disk 8 - Demo Disk 2",  "Disk 4 - Data Disk 2",
    "Disk 5 - Data Disk 3",  "Disk 6 - Visual Disk",
};
static_assert(std::size(kSampleDiskNames) == std::size(d88mk::kAllSetDisks),
              "a name for each disk of the sample");

int usage() {
    std::fputs(
        "usage: d88mkimage sample OUT | disks DIR | dumps DIR | seeds DIR | damaged OUT | large "
        "OUT | "
        "hostile OUT BYTES | chain OUT BYTES\n",
        stderr);
    return 2;
}

int make(int argc, char** argv) {
    const std::string mode = argv[1];
    const std::string out = argv[2];
    if (mode == "sample" && argc == 3) {
        d88mk::writeFile(out, d88mk::sampleImage());
    } else if (mode == "disks" && argc == 3) {
        // Each file is named as a person names a set's images: by the disk
        // number the set gives it and its kind, not by its place in the sample.
        const std::vector<d88mk::Bytes> disks = d88mk::sampleDisks();
        for (std::size_t i = 0; i < disks.size(); ++i) {
            d88mk::writeFile(out + "/Set (" + kSampleDiskNames[i] + ").d88", disks[i]);
        }
    } else if (mode == "dumps" && argc == 3) {
        int number = 0;
        for (const d88mk::Bytes& dump : d88mk::setDumps()) {
            d88mk::writeFile(out + "/dump" + std::to_string(++number) + ".d88", dump);
        }
    } else if (mode == "seeds" && argc == 3) {
        for (const auto& [name, bytes] : d88mk::seedImages()) {
            d88mk::writeFile(out + "/" + name + ".d88", bytes);
        }
    } else if (mode == "damaged" && argc == 3) {
        d88mk::writeFile(out, d88mk::damagedImage());
    } else if (mode == "large" && argc == 3) {
        d88mk::writeFile(out, d88mk::largeIndexImage());
    } else if (mode == "hostile" && argc == 4) {
        d88mk::writeFile(out, d88mk::hostileImage(std::strtoull(argv[3], nullptr, 10)));
    } else if (mode == "chain" && argc == 4) {
        d88mk::writeFile(out, d88mk::chainImage(std::strtoull(argv[3], nullptr, 10)));
    } else {
        return usage();
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        return usage();
    }
    try {
        return make(argc, argv);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "d88mkimage: %s\n", error.what());
        return 1;
    }
}
