#include "IdentifyDisk.h"

#include "Messages.h"
#include "Output.h"
#include "RunState.h"
#include "diskset/Identification.h"

namespace d88cut {

std::optional<DiskKind> identifyDisk(int diskNo) {
    runState.image.setSectorRange(1, 16);
    const Identification result = identify(runState.image, runState.workBuffer, diskNo);
    if (result.verdict == Verdict::Unsupported) {
        printErr(messages::kUnsupported);
        return std::nullopt;
    }
    if (result.verdict == Verdict::UnknownSum) {
        return std::nullopt;
    }
    const DiskKindInfo& kind = kindInfo(*result.kind);
    printOut(messages::kRecognised, kind.name);
    if (kind.cuts != nullptr) {
        runState.image.setSectorRange(kind.range.first, kind.range.last);
    } else {
        printOut(messages::kNoData);
    }
    return result.kind;
}

}  // namespace d88cut
