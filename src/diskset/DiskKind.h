// The eight disks of the set that d88cut knows, one row each.
#pragma once

#include <cstdint>

#include "Catalogue.h"

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

// First and last sector number R of the tracks that a kind's runs cross.
struct SectorRange {
    std::int32_t first;
    std::int32_t last;
};

// Everything known of one disk kind but how it is recognised.
struct DiskKindInfo {
    DiskKind kind;
    int number;            // its disk number on the command line, 1-8
    const char* name;      // as its recognition message prints it
    SectorRange range;     // set for its runs; unused when it cuts nothing
    const KindCuts* cuts;  // null for Data Disk 1 and 2, which hold nothing to cut
};

const DiskKindInfo& kindInfo(DiskKind kind);

// The disk number 1-8 that a command-line argument gives by its first
// character ("12" is disk 1, "8x" disk 8); 0 when it gives none.
int diskNumberOf(const char* argument);

}  // namespace d88cut
