#include "MergeFiles.h"

#include "info/FileOutcomes.h"

namespace d88merge {

namespace {

FileState stateOf(d88info::Written written) {
    switch (written) {
        case d88info::Written::Whole:
            return FileState::Whole;
        case d88info::Written::Damaged:
            return FileState::Damaged;
        case d88info::Written::Partly:
            return FileState::Partly;
        case d88info::Written::Missing:
            break;
    }
    return FileState::Missing;
}

FileFate fateOf(const d88cut::FileFate& outcome) {
    FileFate fate;
    fate.name = outcome.file.name;
    fate.state = stateOf(outcome.written);
    if (outcome.fromMarkedRecords()) {
        fate.hasSector = true;
        fate.track = outcome.marked[0].track;
        fate.sector = outcome.marked[0].header;
        fate.sectorFound = true;
        return fate;
    }
    for (const d88cut::PieceRead& piece : outcome.piecesRead()) {
        if (piece.stopped) {
            const d88::D88Image::SectorRequest& asked = piece.stop.sector;
            fate.hasSector = true;
            fate.track = asked.track;
            fate.sector.c = static_cast<std::uint8_t>(asked.c);
            fate.sector.h = static_cast<std::uint8_t>(asked.h);
            fate.sector.r = static_cast<std::uint8_t>(asked.r);
            fate.sector.n = static_cast<std::uint8_t>(asked.n);
            fate.sectorFound = piece.stop.found;
            return fate;
        }
    }
    return fate;
}

DiskFiles filesOfDisk(const d88info::DiskOutcome& disk) {
    DiskFiles files;
    for (const d88cut::FileFate& file : disk.files) {
        files.push_back(fateOf(file));
    }
    return files;
}

}  // namespace

ImageFiles filesOfImage(d88::D88Image& image, std::uint8_t* scratch) {
    const d88info::ImageOutcome outcome = d88info::accountFiles(image, {}, scratch);
    ImageFiles files;
    files.looksLikeD88 = outcome.looksLikeD88();
    for (const d88info::DiskOutcome& disk : outcome.disks) {
        files.disks.push_back(filesOfDisk(disk));
    }
    return files;
}

DiskFiles filesOfFirstDisk(d88::D88Image& image, int diskNumber, std::uint8_t* scratch) {
    const d88info::ImageOutcome outcome =
        d88info::accountFiles(image, {false, diskNumber}, scratch);
    return outcome.disks.empty() ? DiskFiles{} : filesOfDisk(outcome.disks[0]);
}

}  // namespace d88merge
