#include "Identification.h"

#include <initializer_list>

#include "Console.h"
#include "Messages.h"
#include "RunState.h"

namespace d88cut {

namespace {

bool probe(d88::D88Image& image, std::uint8_t* buffer, const ProbeSector& sector) {
    return image.readSector(kProbeTrack, kProbeC, kProbeH, sector.r, sector.n, buffer,
                            sector.readLength) != 0;
}

// True when `diskNo` is the number of one of `kinds`.
bool isAnyOf(int diskNo, std::initializer_list<DiskKind> kinds) {
    for (DiskKind kind : kinds) {
        if (diskNo == diskNumberOf(kind)) {
            return true;
        }
    }
    return false;
}

Identification recognised(DiskKind kind) {
    return {Verdict::Recognised, kind};
}

constexpr Identification kUnknownSum{Verdict::UnknownSum, DiskKind::OpeningDisk};
constexpr Identification kUnsupported{Verdict::Unsupported, DiskKind::OpeningDisk};

// Stage 1: the 256-byte boot sector R1 N1 and its sum.
Identification decideByBootSum(std::uint16_t sum, int diskNo) {
    if (sum == kOpeningDiskSum || diskNo == diskNumberOf(DiskKind::OpeningDisk)) {
        return recognised(DiskKind::OpeningDisk);
    }
    if (sum == kProgramDiskSum || diskNo == diskNumberOf(DiskKind::ProgramDisk)) {
        return recognised(DiskKind::ProgramDisk);
    }
    if (sum == kDemoDisk1Sum || diskNo == diskNumberOf(DiskKind::DemoDisk1)) {
        return recognised(DiskKind::DemoDisk1);
    }
    return kUnknownSum;
}

// Stage 2: the first 256 bytes of R16 N3 and their sum.
Identification decideByR16Sum(std::uint16_t sum, int diskNo) {
    if (sum == kDataDisk1Sum || diskNo == diskNumberOf(DiskKind::DataDisk1)) {
        return recognised(DiskKind::DataDisk1);
    }
    if (sum == kDemoDisk2Sum || diskNo == diskNumberOf(DiskKind::DemoDisk2)) {
        return recognised(DiskKind::DemoDisk2);
    }
    return kUnknownSum;
}

}  // namespace

std::uint16_t sectorSum(const std::uint8_t* data) {
    unsigned sum = 0;
    for (std::size_t i = 0; i < kSummedBytes; ++i) {
        sum += data[i];
    }
    return static_cast<std::uint16_t>(sum & 0xFFFFu);
}

Identification identify(d88::D88Image& image, std::uint8_t* buffer, int diskNo) {
    // A given disk number enters its kind's stage whatever the probe found;
    // every read before it is made all the same.
    const bool bootPresent = probe(image, buffer, kBootProbe);
    if ((bootPresent && diskNo == 0) ||
        isAnyOf(diskNo, {DiskKind::OpeningDisk, DiskKind::ProgramDisk, DiskKind::DemoDisk1})) {
        return decideByBootSum(sectorSum(buffer), diskNo);
    }
    const bool r16Present = probe(image, buffer, kR16Probe);
    if ((r16Present && diskNo == 0) ||
        isAnyOf(diskNo, {DiskKind::DataDisk1, DiskKind::DemoDisk2})) {
        return decideByR16Sum(sectorSum(buffer), diskNo);
    }
    struct SingleKindStage {
        ProbeSector sector;
        DiskKind kind;
    };
    constexpr SingleKindStage kSingleKindStages[] = {
        {kR32Probe, DiskKind::DataDisk2},
        {kR48Probe, DiskKind::DataDisk3},
        {kR80Probe, DiskKind::VisualDisk},
    };
    for (const SingleKindStage& stage : kSingleKindStages) {
        const bool present = probe(image, buffer, stage.sector);
        if ((present && diskNo == 0) || diskNo == diskNumberOf(stage.kind)) {
            return recognised(stage.kind);
        }
    }
    return kUnsupported;
}

std::optional<DiskKind> identifyDisk(int diskNo) {
    image.setSectorRange(1, 16);
    const Identification result = identify(image, workBuffer, diskNo);
    if (result.verdict == Verdict::Unsupported) {
        printErr("%s", messages::kUnsupported);
        return std::nullopt;
    }
    if (result.verdict == Verdict::UnknownSum) {
        return std::nullopt;
    }
    printOut(messages::kRecognised, diskKindName(result.kind));
    SectorRange range{};
    if (sectorRangeOf(result.kind, range)) {
        image.setSectorRange(range.first, range.last);
    } else {
        printOut("%s", messages::kNoData);
    }
    return result.kind;
}

}  // namespace d88cut
