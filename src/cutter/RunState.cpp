#include "RunState.h"

namespace d88cut {

// Constructed before main runs and destroyed at exit, which closes the image.
d88::D88Image image;
std::uint8_t workBuffer[kWorkBufferSize];

}  // namespace d88cut
