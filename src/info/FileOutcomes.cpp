#include "FileOutcomes.h"

#include "diskset/DiskKind.h"

namespace d88info {

namespace {

DiskOutcome readDisk(d88::D88Image& image, int index, const CutChoice& choice,
                     std::uint8_t* scratch, std::vector<std::uint8_t>& buffer) {
    DiskOutcome disk;
    disk.index = index;
    disk.start = image.diskStart(index);
    // d88cut goes on with a disk whose header cannot be read: nothing of it
    // can be read then, and it is passed over as of no known format.
    disk.headerRead = image.selectDisk(index);
    disk.header = image.diskHeader();
    if (disk.headerRead) {
        disk.headerFindings = d88::checkHeader(disk.header, disk.start, image.fileSize());
    }
    const d88cut::SectorRange probing = d88cut::kIdentificationRange;
    image.setSectorRange(probing.first, probing.last);
    disk.byProbes = d88cut::identify(image, scratch, 0);
    disk.chosen = d88cut::identify(image, scratch, choice.diskNo);
    if (!disk.chosen.kind) {
        return disk;
    }
    const d88cut::DiskKindInfo& kind = d88cut::kindInfo(*disk.chosen.kind);
    if (kind.cuts == nullptr) {
        return disk;
    }
    image.setSectorRange(kind.range.first, kind.range.last);
    for (const d88cut::CutFile& file : d88cut::filesOf(*kind.cuts, choice.opFlag)) {
        if (buffer.size() < static_cast<std::size_t>(file.length())) {
            buffer.resize(static_cast<std::size_t>(file.length()));
        }
        disk.files.push_back(d88cut::readCutFile(image, file, buffer.data()));
    }
    image.setSectorRange(probing.first, probing.last);
    return disk;
}

// A file written again by a later disk under the same name replaces the
// earlier one; the last one written stays.
void noteReplacements(std::vector<DiskOutcome>& disks) {
    for (std::size_t i = 0; i < disks.size(); ++i) {
        for (d88cut::FileFate& file : disks[i].files) {
            for (std::size_t later = i + 1; later < disks.size(); ++later) {
                for (const d88cut::FileFate& again : disks[later].files) {
                    d88cut::noteLaterFile(file, again, disks[later].index);
                }
            }
        }
    }
}

}  // namespace

bool DiskOutcome::forced(const CutChoice& choice) const {
    return choice.diskNo != 0 && chosen.kind && byProbes.kind != chosen.kind;
}

ImageOutcome accountFiles(d88::D88Image& image, const CutChoice& choice, std::uint8_t* scratch) {
    ImageOutcome result;
    result.choice = choice;
    std::vector<std::uint8_t> buffer;
    for (int index = 0; index < image.diskCount(); ++index) {
        result.disks.push_back(readDisk(image, index, choice, scratch, buffer));
        // With a disk number only the first disk of the file is cut.
        if (choice.diskNo != 0) {
            break;
        }
    }
    noteReplacements(result.disks);
    result.survey = d88cut::surveyImage(image, scratch);
    for (const DiskOutcome& disk : result.disks) {
        for (const d88cut::FileFate& file : disk.files) {
            ++result.counts[static_cast<int>(file.outcome())];
        }
    }
    return result;
}

}  // namespace d88info
