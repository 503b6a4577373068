// What d88merge tells of a merge: per merged disk, its kind and the dumps
// joined, the records' counts and those not alike, what the merge did for
// each file, the tracks worth reading again; a last line sums it up. As text
// lines in English or Japanese, or as one JSON document.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "DiskMerge.h"

namespace d88merge {

struct MergeRun {
    std::vector<DumpImage> dumps;
    std::vector<DiskMerge> disks;
    const char* output = nullptr;  // -o, or the drop's output; null: nothing written
    bool written = false;          // the output is complete in place
};

// 0 when every disk is whole after the merge, else 2.
int mergeStatus(const MergeRun& run);

// The report's lines, without line ends, in UTF-8.
std::vector<std::string> reportLines(const MergeRun& run, bool japanese);

void printReportJson(std::FILE* out, const MergeRun& run, int status);

}  // namespace d88merge
