#include "Identification.h"

#include <cstring>

namespace d88cut {

namespace {

bool namesACandidate(const IdentificationStage& stage, int diskNo) {
    for (int i = 0; i < stage.candidateCount; ++i) {
        if (diskNo == kindInfo(stage.candidates[i].kind).number) {
            return true;
        }
    }
    return false;
}

// The first candidate whose sum matches, whose number was given, or that
// needs no sum; an earlier candidate's sum wins over a later one's number.
Identification decide(int stageIndex, std::uint16_t sum, int diskNo) {
    const IdentificationStage& stage = kIdentificationStages[stageIndex];
    for (int i = 0; i < stage.candidateCount; ++i) {
        const Candidate& candidate = stage.candidates[i];
        if (!candidate.summed || sum == candidate.sum ||
            diskNo == kindInfo(candidate.kind).number) {
            return {Verdict::Recognised, candidate.kind, stageIndex, sum};
        }
    }
    return {Verdict::UnknownSum, std::nullopt, stageIndex, sum};
}

}  // namespace

std::uint16_t sectorSum(const std::uint8_t* data) {
    unsigned sum = 0;
    for (std::size_t i = 0; i < kSummedBytes; ++i) {
        sum += data[i];
    }
    return static_cast<std::uint16_t>(sum & 0xFFFFu);
}

void clearProbeBuffer(std::uint8_t* buffer) {
    std::memset(buffer, 0, kProbeBufferSize);
}

bool readProbe(d88::D88Image& image, const ProbeSector& sector, std::uint8_t* buffer) {
    return image.readSector(kProbeTrack.index, kProbeTrack.cylinder(), kProbeTrack.head(), sector.r,
                            sector.n, buffer, sector.readLength) != 0;
}

Identification identify(d88::D88Image& image, std::uint8_t* buffer, int diskNo) {
    clearProbeBuffer(buffer);
    // Every stage's read is made, up to the stage that is entered; a stage
    // that is entered decides, and no later stage is tried.
    int stageIndex = 0;
    for (const IdentificationStage& stage : kIdentificationStages) {
        const bool present = readProbe(image, stage.probe, buffer);
        if ((present && diskNo == 0) || namesACandidate(stage, diskNo)) {
            return decide(stageIndex, sectorSum(buffer), diskNo);
        }
        ++stageIndex;
    }
    return {Verdict::Unsupported, std::nullopt};
}

}  // namespace d88cut
