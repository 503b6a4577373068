// Recognising which disk of the set a disk image holds, from the sectors on its
// track index 1 (cylinder 0, head 1).
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

#include "DiskKind.h"
#include "d88/D88Image.h"

namespace d88cut {

// Where the probe sectors lie: track index 1, cylinder 0, head 1.
inline constexpr std::int32_t kProbeTrack = 1;
inline constexpr std::int32_t kProbeC = 0;
inline constexpr std::int32_t kProbeH = 1;

struct ProbeSector {
    std::int32_t r;
    std::int32_t n;
    std::int32_t readLength;  // bytes read when probing it
};

// Probed in this order; the first two are also summed.
inline constexpr ProbeSector kBootProbe{1, 1, 256};
inline constexpr ProbeSector kR16Probe{16, 3, 1024};
inline constexpr ProbeSector kR32Probe{32, 3, 1};
inline constexpr ProbeSector kR48Probe{48, 3, 1};
inline constexpr ProbeSector kR80Probe{80, 3, 1};

// Bytes from the start of a probe sector that make up its sum.
inline constexpr std::size_t kSummedBytes = 256;

// Sums of the boot sector (R1 N1) of the disks told apart by it.
inline constexpr std::uint16_t kOpeningDiskSum = 30971;
inline constexpr std::uint16_t kProgramDiskSum = 26825;
inline constexpr std::uint16_t kDemoDisk1Sum = 27152;
// Sums of the first 256 bytes of R16 N3 of the disks told apart by it.
inline constexpr std::uint16_t kDataDisk1Sum = 53747;
inline constexpr std::uint16_t kDemoDisk2Sum = 65280;

// Sum of the kSummedBytes bytes at `data`, each taken as 0-255.
std::uint16_t sectorSum(const std::uint8_t* data);

enum class Verdict {
    Recognised,   // `kind` holds the disk's kind
    UnknownSum,   // a summed sector was there, but its sum is no known one
    Unsupported,  // none of the probe sectors was there
};

struct Identification {
    Verdict verdict;
    DiskKind kind;
};

// Decides the kind of the selected disk of `image` without printing. Every
// probe read lands at the start of `buffer` (at least 1024 bytes), whose first
// kSummedBytes bytes are summed as they stand after the read. A `diskNo` of
// 1-8 forces the stage of its kind; 0 lets the probes decide.
Identification identify(d88::D88Image& image, std::uint8_t* buffer, int diskNo);

// Identifies the current disk of the run: resets the sector range, prints the
// recognition or unsupported-format message and, for a kind with files to
// cut, sets that kind's sector range (Data Disk 1 and 2 print the no-data
// message instead). Returns the recognised kind, or none.
std::optional<DiskKind> identifyDisk(int diskNo);

}  // namespace d88cut
