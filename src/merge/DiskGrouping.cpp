#include "DiskGrouping.h"

#include <algorithm>
#include <cstddef>

namespace d88merge {

namespace {

using d88cut::DiskKind;
using Kind = std::optional<DiskKind>;

bool holdsKind(const std::vector<Kind>& disks, DiskKind kind) {
    for (const Kind& disk : disks) {
        if (disk == kind) {
            return true;
        }
    }
    return false;
}

// What identifies a group: a kind and which disk of that kind in its image
// (the first, the second...), or no kind and the place among the disks of no
// kind; an ambiguous disk is a group of its own.
struct GroupKey {
    Kind kind;
    int occurrence = 0;
    int alone = -1;  // the group's index for a disk taken alone

    bool operator==(const GroupKey& other) const {
        return kind == other.kind && occurrence == other.occurrence && alone == other.alone;
    }
};

// The kinds that a disk of no kind at `disk` of `image` may be: a kind the
// image holds nowhere, which another image with as many disks holds there.
std::vector<DiskKind> kindsByPlace(const ImageKinds& images, std::size_t image, std::size_t disk) {
    std::vector<DiskKind> found;
    for (std::size_t other = 0; other < images.size(); ++other) {
        if (other == image || images[other].size() != images[image].size()) {
            continue;
        }
        const Kind there = images[other][disk];
        if (there && !holdsKind(images[image], *there) &&
            std::find(found.begin(), found.end(), *there) == found.end()) {
            found.push_back(*there);
        }
    }
    return found;
}

std::vector<DiskGroup> oneGroupOfAll(const ImageKinds& images) {
    DiskGroup group;
    for (std::size_t image = 0; image < images.size(); ++image) {
        if (!group.kind) {
            group.kind = images[image][0];
        }
        group.members.push_back({static_cast<int>(image), 0, JoinedBy::OnlyDisk});
    }
    return {group};
}

}  // namespace

std::vector<DiskGroup> groupDisks(const ImageKinds& images) {
    bool oneDiskEach = !images.empty();
    for (const std::vector<Kind>& disks : images) {
        oneDiskEach = oneDiskEach && disks.size() == 1;
    }
    if (oneDiskEach) {
        return oneGroupOfAll(images);
    }
    std::vector<DiskGroup> groups;
    std::vector<GroupKey> keys;
    for (std::size_t image = 0; image < images.size(); ++image) {
        const std::vector<Kind>& disks = images[image];
        // Disks of each kind met in this image so far.
        std::vector<int> seen(static_cast<int>(DiskKind::VisualDisk) + 1, 0);
        int noKindSeen = 0;
        for (std::size_t disk = 0; disk < disks.size(); ++disk) {
            GroupKey key;
            JoinedBy how = JoinedBy::Kind;
            Kind kind = disks[disk];
            if (!kind) {
                const std::vector<DiskKind> byPlace = kindsByPlace(images, image, disk);
                if (byPlace.size() == 1) {
                    kind = byPlace[0];
                    how = JoinedBy::Place;
                } else if (byPlace.size() > 1) {
                    how = JoinedBy::Ambiguous;
                    key.alone = static_cast<int>(groups.size());
                } else {
                    how = JoinedBy::NoKind;
                    key.occurrence = noKindSeen++;
                }
            }
            if (kind) {
                key.kind = kind;
                key.occurrence = seen[static_cast<int>(*kind)]++;
            }
            std::size_t at = 0;
            while (at < keys.size() && !(keys[at] == key)) {
                ++at;
            }
            if (at == keys.size()) {
                keys.push_back(key);
                groups.push_back({kind, {}});
            }
            groups[at].members.push_back({static_cast<int>(image), static_cast<int>(disk), how});
        }
    }
    return groups;
}

}  // namespace d88merge
