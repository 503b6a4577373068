// The eight disks of the set that d88cut knows.
#pragma once

#include <cstdint>

namespace d88cut {

enum class DiskKind {
    OpeningDisk,
    ProgramDisk,
    DemoDisk1,
    DataDisk1,
    DemoDisk2,
    DataDisk2,
    DataDisk3,
    VisualDisk,
};

// The name the recognition message prints, e.g. "Opening Disk".
const char* diskKindName(DiskKind kind);

// Disk number 1-8 given on the command line for the kind.
int diskNumberOf(DiskKind kind);

// First and last sector number R of the tracks that the kind's runs cross.
struct SectorRange {
    std::int32_t first;
    std::int32_t last;
};

// True for the kinds that have files to cut; then `range` is their range.
bool sectorRangeOf(DiskKind kind, SectorRange& range);

}  // namespace d88cut
