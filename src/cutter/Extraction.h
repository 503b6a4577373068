// Cutting the files of a recognised disk out of it.
#pragma once

#include "diskset/DiskKind.h"

namespace d88cut {

// Writes every output file of `kind` from the selected disk, whose sector range
// must already be the kind's own. `opFlag` adds OPDEMO and G_TITLE to an
// Opening Disk. Data Disk 1 and 2 have nothing to cut.
void extractDisk(DiskKind kind, bool opFlag);

}  // namespace d88cut
