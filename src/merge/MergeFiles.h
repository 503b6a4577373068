// What d88cut makes of each file of a disk, in the dumps and in the merged
// disk: the same file model `d88info --files` uses, seen from the merge.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "d88/D88Image.h"
#include "d88/SectorHeader.h"

namespace d88merge {

enum class FileState {
    Whole,    // every byte read, from records all normal
    Damaged,  // every byte read, among them from damaged records
    Partly,   // a run stopped at a sector not there or not whole
    Missing,  // not one of its runs could start
    NotCut,   // the disk is not taken as one that holds the file
};

// One file of a disk and, unless whole, the sector that spoils it: the first
// damaged record read, or the sector where a run stopped.
struct FileFate {
    std::string name;
    FileState state = FileState::NotCut;
    bool hasSector = false;
    std::int32_t track = 0;
    d88::SectorHeader sector = {};  // ID, and status when `sectorFound`
    bool sectorFound = false;       // a record with that ID is on the track
};

using DiskFiles = std::vector<FileFate>;

struct ImageFiles {
    bool looksLikeD88 = false;
    // Per disk, its files as d88cut cuts it; empty for a disk d88cut does not
    // recognise or that holds no file to cut.
    std::vector<DiskFiles> disks;
};

// Every disk of the open `image`, as d88cut cuts it; `scratch` holds
// d88cut::kProbeBufferSize bytes.
ImageFiles filesOfImage(d88::D88Image& image, std::uint8_t* scratch);
// The first disk of `image`, taken as disk number `diskNumber` (1-8) of the set.
DiskFiles filesOfFirstDisk(d88::D88Image& image, int diskNumber, std::uint8_t* scratch);

}  // namespace d88merge
