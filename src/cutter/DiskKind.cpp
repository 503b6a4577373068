#include "DiskKind.h"

namespace d88cut {

const char* diskKindName(DiskKind kind) {
    switch (kind) {
        case DiskKind::OpeningDisk:
            return "Opening Disk";
        case DiskKind::ProgramDisk:
            return "Program Disk";
        case DiskKind::DemoDisk1:
            return "Demo Disk 1";
        case DiskKind::DataDisk1:
            return "Data Disk 1";
        case DiskKind::DemoDisk2:
            return "Demo Disk 2";
        case DiskKind::DataDisk2:
            return "Data Disk 2";
        case DiskKind::DataDisk3:
            return "Data Disk 3";
        case DiskKind::VisualDisk:
            return "Visual Disk";
    }
    return "";
}

int diskNumberOf(DiskKind kind) {
    switch (kind) {
        case DiskKind::OpeningDisk:
            return 1;
        case DiskKind::ProgramDisk:
            return 2;
        case DiskKind::DataDisk1:
            return 3;
        case DiskKind::DataDisk2:
            return 4;
        case DiskKind::DataDisk3:
            return 5;
        case DiskKind::VisualDisk:
            return 6;
        case DiskKind::DemoDisk1:
            return 7;
        case DiskKind::DemoDisk2:
            return 8;
    }
    return 0;
}

bool sectorRangeOf(DiskKind kind, SectorRange& range) {
    switch (kind) {
        case DiskKind::OpeningDisk:
        case DiskKind::ProgramDisk:
        case DiskKind::DemoDisk1:
            range = {0, 4};
            return true;
        case DiskKind::DemoDisk2:
            range = {16, 20};
            return true;
        case DiskKind::DataDisk3:
            range = {48, 52};
            return true;
        case DiskKind::VisualDisk:
            range = {80, 84};
            return true;
        case DiskKind::DataDisk1:
        case DiskKind::DataDisk2:
            return false;
    }
    return false;
}

}  // namespace d88cut
