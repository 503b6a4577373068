#include "RunState.h"

namespace d88cut {

RunState runState{};

}  // namespace d88cut
