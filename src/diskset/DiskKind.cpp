#include "DiskKind.h"

namespace d88cut {

namespace {

// In the order of the enumeration.
constexpr DiskKindInfo kKinds[] = {
    {DiskKind::OpeningDisk, 1, "Opening Disk", {0, 4}, &openingCuts},
    {DiskKind::ProgramDisk, 2, "Program Disk", {0, 4}, &programCuts},
    {DiskKind::DemoDisk1, 7, "Demo Disk 1", {0, 4}, &demo1Cuts},
    {DiskKind::DataDisk1, 3, "Data Disk 1", {1, 16}, nullptr},
    {DiskKind::DemoDisk2, 8, "Demo Disk 2", {16, 20}, &demo2Cuts},
    {DiskKind::DataDisk2, 4, "Data Disk 2", {1, 16}, nullptr},
    {DiskKind::DataDisk3, 5, "Data Disk 3", {48, 52}, &dataDisk3Cuts},
    {DiskKind::VisualDisk, 6, "Visual Disk", {80, 84}, &visualCuts},
};

constexpr bool inEnumerationOrder() {
    for (int i = 0; i < static_cast<int>(sizeof kKinds / sizeof kKinds[0]); ++i) {
        if (static_cast<int>(kKinds[i].kind) != i) {
            return false;
        }
    }
    return true;
}
static_assert(inEnumerationOrder(), "kKinds is indexed by DiskKind");

}  // namespace

const DiskKindInfo& kindInfo(DiskKind kind) {
    return kKinds[static_cast<int>(kind)];
}

int diskNumberOf(const char* argument) {
    const int number = static_cast<unsigned char>(argument[0]) - '0';
    return number >= 1 && number <= 8 ? number : 0;
}

}  // namespace d88cut
