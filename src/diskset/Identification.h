// How a disk of the set is told from the others: the probe sectors on its
// track index 1 (cylinder 0, head 1), their sums, and the decision made from
// them. Knowledge only: prints nothing and keeps no state; the cutter's
// identifyDisk prints what it finds, d88info shows it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

#include "DiskKind.h"
#include "d88/D88Image.h"
#include "d88/TrackAddress.h"

namespace d88cut {

// The reader's sector range while a disk is identified, before a kind with
// files to cut sets its own.
inline constexpr SectorRange kIdentificationRange{1, 16};

// Where the probe sectors lie: track index 1, cylinder 0, head 1.
inline constexpr d88::TrackAddress kProbeTrack = d88::TrackAddress::ofIndex(1);

struct ProbeSector {
    std::int32_t r;
    std::int32_t n;
    std::int32_t readLength;  // bytes read when probing it
};

// Bytes from the start of a probe sector that make up its sum.
inline constexpr std::size_t kSummedBytes = 256;

// Bytes of the buffer that probe reads land in: the longest probe read.
inline constexpr std::size_t kProbeBufferSize = 1024;

// A kind that a stage can decide on: by the sum of the stage's probe sector
// when it is told apart by one, else by the sector being there.
struct Candidate {
    DiskKind kind;
    bool summed;
    std::uint16_t sum;
};

// The stages in the order they are tried, each with one probe read and the
// kinds it decides between, in the order they are tested.
struct IdentificationStage {
    ProbeSector probe;
    Candidate candidates[3];
    int candidateCount;
};

inline constexpr IdentificationStage kIdentificationStages[] = {
    // The 256-byte boot sector R1 N1 and its sum.
    {{1, 1, 256},
     {{DiskKind::OpeningDisk, true, 30971},
      {DiskKind::ProgramDisk, true, 26825},
      {DiskKind::DemoDisk1, true, 27152}},
     3},
    // The first 256 bytes of R16 N3 and their sum (only 0xFF bytes give 65280).
    {{16, 3, 1024}, {{DiskKind::DataDisk1, true, 53747}, {DiskKind::DemoDisk2, true, 65280}}, 2},
    {{32, 3, 1}, {{DiskKind::DataDisk2, false, 0}}, 1},
    {{48, 3, 1}, {{DiskKind::DataDisk3, false, 0}}, 1},
    {{80, 3, 1}, {{DiskKind::VisualDisk, false, 0}}, 1},
};

// Sum of the kSummedBytes bytes at `data`, each taken as 0-255.
std::uint16_t sectorSum(const std::uint8_t* data);

// Zeroes the kProbeBufferSize bytes of a probe buffer, so that a probe sector
// shorter than its read sums as if the rest were zero.
void clearProbeBuffer(std::uint8_t* buffer);
// Reads `sector` from the probe track of the selected disk of `image` into the
// start of `buffer` (kProbeBufferSize bytes); true when the sector is there.
// Bytes the read does not deliver keep what they held.
bool readProbe(d88::D88Image& image, const ProbeSector& sector, std::uint8_t* buffer);

enum class Verdict {
    Recognised,   // `kind` holds the disk's kind
    UnknownSum,   // a summed sector was there, but its sum is no known one
    Unsupported,  // none of the probe sectors was there
};

struct Identification {
    Verdict verdict;
    std::optional<DiskKind> kind;  // none unless the verdict is Recognised
    // The stage that decided, as an index of kIdentificationStages (-1 when
    // none did), and the sum of the buffer after its probe read.
    int stage = -1;
    std::uint16_t sum = 0;
};

// Decides the kind of the selected disk of `image`. `buffer` (kProbeBufferSize
// bytes) is cleared once, then every probe read lands at its start, and its
// first kSummedBytes bytes are summed as they stand after the read. A `diskNo` of 1-8 enters the
// stage of its kind whatever the probes found; 0 lets the probes decide.
Identification identify(d88::D88Image& image, std::uint8_t* buffer, int diskNo);

}  // namespace d88cut
