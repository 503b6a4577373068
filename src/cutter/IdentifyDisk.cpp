#include "IdentifyDisk.h"

#include "Messages.h"
#include "Output.h"
#include "RunState.h"
#include "diskset/Identification.h"

namespace d88cut {

namespace {

// The most that any probe read puts into the buffer.
constexpr std::size_t longestProbe() {
    std::int32_t longest = 0;
    for (const IdentificationStage& stage : kIdentificationStages) {
        if (stage.probe.readLength > longest) {
            longest = stage.probe.readLength;
        }
    }
    return static_cast<std::size_t>(longest);
}

}  // namespace

std::optional<DiskKind> identifyDisk(int diskNo) {
    runState.image.setSectorRange(kIdentificationRange.first, kIdentificationRange.last);
    const Identification result =
        identify(runState.image, workBufferFor(0, longestProbe()), diskNo);
    if (result.verdict == Verdict::Unsupported) {
        printErr(messages::kUnsupported);
        return std::nullopt;
    }
    if (result.verdict == Verdict::UnknownSum) {
        return std::nullopt;
    }
    const DiskKindInfo& kind = kindInfo(*result.kind);
    printOut(messages::kRecognised, kind.name);
    ++runState.tally.disksRecognised;
    if (kind.cuts != nullptr) {
        runState.image.setSectorRange(kind.range.first, kind.range.last);
    } else {
        printOut(messages::kNoData);
    }
    return result.kind;
}

}  // namespace d88cut
