// The merge of the dumps of one disk: its tracks merged record by record,
// the merged disk's bytes, and what that did for each file d88cut cuts.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "DiskGrouping.h"
#include "MergeFiles.h"
#include "TrackMerge.h"
#include "d88/D88Image.h"

namespace d88merge {

// One image given to merge.
struct DumpImage {
    std::string path;
    std::string label;  // its file name, or the path where two share a name
    std::unique_ptr<d88::D88Image> image = std::make_unique<d88::D88Image>();
    std::vector<std::optional<d88cut::DiskKind>> kinds;  // recognised in each disk
    ImageFiles files;                                    // what d88cut cuts from each disk
};

// A file of the merged disk, and what each dump of the group made of it.
struct FileMerge {
    FileFate merged;
    std::vector<FileFate> dumps;  // one per member of the group
    // What the merge made of the sector that spoils the merged file, when a
    // record with its ID is there.
    std::optional<RecordFate> sectorFate;
};

struct DiskMerge {
    DiskGroup group;
    d88::DiskHeader header = {};  // the first member's
    // Every merged track that holds a record; the records that are not alike
    // in every dump are what the report lists.
    std::vector<MergedTrack> tracks;
    int counts[kRecordFateCount] = {};
    // Sectors a file of the disk asks for that no dump holds.
    std::vector<FileFate> missing;
    std::vector<FileMerge> files;
    std::vector<int> readAgain;  // track indexes worth reading again
    bool tooLarge = false;       // refused: see kMaxMergedDiskBytes
    std::int64_t size = 0;       // bytes of the merged disk

    bool ambiguousTracks() const;
    // Every record good and every file whole.
    bool whole() const;
};

// Merges the dumps of `group`, filling `bytes` with the merged disk (empty
// when it is too large). Changes which disk of each member's image is selected.
DiskMerge mergeDisk(const DiskGroup& group, std::vector<DumpImage>& dumps,
                    std::vector<std::uint8_t>& bytes, std::uint8_t* scratch);

}  // namespace d88merge
