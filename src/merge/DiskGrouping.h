// Which disks of the images given are dumps of the same disk: the merge joins
// each group into one disk of the result.
#pragma once

#include <optional>
#include <vector>

#include "diskset/DiskKind.h"

namespace d88merge {

// How a disk came into its group.
enum class JoinedBy {
    OnlyDisk,   // every image holds one disk: all are dumps of it
    Kind,       // the kind d88cut recognises in it
    Place,      // no kind recognised, but its place in the image is where
                // another image of as many disks holds that kind, which this
                // image holds nowhere else
    NoKind,     // no kind: by its place among the disks of no kind in each image
    Ambiguous,  // no kind, and its place points at more than one: taken alone
};

struct GroupMember {
    int image = 0;
    int disk = 0;
    JoinedBy how = JoinedBy::Kind;
};

struct DiskGroup {
    std::optional<d88cut::DiskKind> kind;  // none for a disk of no kind of the set
    std::vector<GroupMember> members;      // in the order of the images, one disk of each at most
};

// The kinds recognised in each disk of each image, in image order.
using ImageKinds = std::vector<std::vector<std::optional<d88cut::DiskKind>>>;

// The groups, in the order of the first image's disks, then those found only
// in later images.
std::vector<DiskGroup> groupDisks(const ImageKinds& images);

}  // namespace d88merge
