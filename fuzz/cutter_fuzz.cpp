// Runs the whole cutter on an arbitrary image, in every argument form, in a
// scratch directory: identification, extraction and the writers end to end.
// Run it with -close_fd_mask=3 (the cutter's own messages are not wanted;
// libFuzzer keeps its reports on a stream of its own) and absolute corpus paths.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "FuzzScratch.h"
#include "cutter/Cutter.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    d88fuzz::enterScratchDir();
    if (!d88fuzz::writeImage(data, size)) {
        return 0;
    }
    static const char* const kOptions[] = {nullptr, "-op", "1", "2", "3", "4", "5", "6", "7", "8"};
    std::string path = d88fuzz::scratchImagePath();
    for (const char* option : kOptions) {
        std::string program = "d88cut";
        std::string third = option != nullptr ? option : "";
        char* argv[] = {program.data(), path.data(), option != nullptr ? third.data() : nullptr,
                        nullptr};
        const int status = d88cut::runCutter(option != nullptr ? 3 : 2, argv);
        if (status != 0 && status != 1) {
            std::abort();
        }
    }
    return 0;
}
