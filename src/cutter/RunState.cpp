#include "RunState.h"

#include <cstring>

namespace d88cut {

RunState runState{};

std::uint8_t* workBufferFor(std::size_t offset, std::size_t length) {
    if (offset + length > runState.workBufferUsed) {
        runState.workBufferUsed = offset + length;
    }
    return runState.workBuffer + offset;
}

void clearWorkBuffer() {
    const std::size_t used =
        runState.clearWholeWorkBuffer ? sizeof runState.workBuffer : runState.workBufferUsed;
    std::memset(runState.workBuffer, 0, used);
    runState.workBufferUsed = 0;
}

}  // namespace d88cut
