// The cutter's identification step for each disk: asks the disk set which
// kind the selected disk is (diskset/Identification), prints what it found,
// and sets the reader's sector range for the kind's runs.
#pragma once

#include <optional>

#include "diskset/DiskKind.h"

namespace d88cut {

// Identifies the selected disk of the run: resets the sector range, prints the
// recognition or unsupported-format message and, for a kind with files to
// cut, sets that kind's sector range (Data Disk 1 and 2 print the no-data
// message instead). Returns the recognised kind, or none.
std::optional<DiskKind> identifyDisk(int diskNo);

}  // namespace d88cut
