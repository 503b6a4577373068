#include "RunState.h"

#include <cstdio>
#include <cstring>

namespace d88cut {

RunState runState{};

std::uint8_t* workBufferFor(std::size_t offset, std::size_t length) {
    if (offset + length > runState.workBufferUsed) {
        runState.workBufferUsed = offset + length;
    }
    return runState.workBuffer + offset;
}

void FileNames::add(const char* name) {
    for (std::int32_t i = 0; i < count; ++i) {
        if (std::strcmp(names[i], name) == 0) {
            return;
        }
    }
    if (count < kRoom) {
        std::snprintf(names[count], sizeof names[count], "%s", name);
        ++count;
    }
}

void clearTally() {
    runState.tally = CutTally{};
}

void clearWorkBuffer() {
    const std::size_t used =
        runState.clearWholeWorkBuffer ? sizeof runState.workBuffer : runState.workBufferUsed;
    std::memset(runState.workBuffer, 0, used);
    runState.workBufferUsed = 0;
}

}  // namespace d88cut
