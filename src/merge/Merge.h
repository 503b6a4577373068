// d88merge as a whole: the command line, the merge of every group of dumps,
// the merged image written in one piece, and the report.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "MergeOptions.h"

namespace d88merge {

// How the report's lines are laid out: as they are, or broken to fit a
// window of so many columns.
struct ReportLayout {
    std::size_t columns = 0;  // 0: lines as they are
};

// Merges `options.images`; with an output, writes it (over a plain file of
// that name only with `replaceOutput`). Returns the exit status.
int mergeImages(const MergeOptions& options, bool replaceOutput, const ReportLayout& layout,
                std::FILE* out, std::FILE* err);

// The command line's run: parses it and merges. Returns the exit status.
int runMerge(int argc, char** argv, std::FILE* out, std::FILE* err);

}  // namespace d88merge
