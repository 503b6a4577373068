#include "FileOutcomes.h"

#include <algorithm>
#include <cstring>

#include "DiskSummary.h"
#include "HeaderDoubts.h"
#include "RecordStatus.h"
#include "diskset/DiskKind.h"

namespace d88info {

namespace {

// What the reader tells of one run as it is read: the damaged records it
// delivered whole, and the first sector it did not get whole, where the run stops.
class RunWatcher final : public d88::D88Image::SectorReadObserver {
  public:
    RunWatcher(std::vector<DamagedRecord>& damaged) : damaged(damaged) {}

    void sectorRead(const d88::D88Image::SectorRequest& asked, const d88::TrackRecord* found,
                    std::int32_t delivered) override {
        if (found == nullptr || delivered != asked.length) {
            if (!stop) {
                stop = UnreadSector{asked, found != nullptr, delivered};
            }
            return;
        }
        if (headerState(found->header) != RecordState::Normal &&
            std::find(offsets.begin(), offsets.end(), found->dataOffset) == offsets.end()) {
            offsets.push_back(found->dataOffset);
            damaged.push_back({asked.track, found->header});
        }
    }

    std::optional<UnreadSector> stop;

  private:
    std::vector<DamagedRecord>& damaged;
    std::vector<std::int64_t> offsets;  // of the damaged records noted
};

PieceRead readPiece(d88::D88Image& image, const d88cut::CutFile& file, int index,
                    std::vector<DamagedRecord>& damaged, std::vector<std::uint8_t>& buffer) {
    const d88cut::ExtractEntry& run = file.pieces[index];
    buffer.resize(std::max(buffer.size(), static_cast<std::size_t>(run.length)));
    RunWatcher watcher(damaged);
    image.observeSectorReads(&watcher);
    const std::int32_t bytesRead = d88cut::readRunSectors(image, run, buffer.data());
    image.observeSectorReads(nullptr);
    // A run that read every byte asked nothing more of the reader.
    return {file.pieceOffset(index), run.length, bytesRead,
            bytesRead < run.length ? watcher.stop : std::nullopt};
}

// A file is written when any of its runs reads its first sector; it is
// whole when every run read every byte.
FileOutcome readFile(d88::D88Image& image, const d88cut::CutFile& file,
                     std::vector<std::uint8_t>& buffer) {
    FileOutcome outcome;
    outcome.file = file;
    bool anyRead = false;
    bool partial = false;
    for (int i = 0; i < file.pieceCount; ++i) {
        outcome.pieces.push_back(readPiece(image, file, i, outcome.damaged, buffer));
        anyRead = anyRead || outcome.pieces.back().bytesRead > 0;
        partial = partial || outcome.pieces.back().bytesRead < file.pieces[i].length;
    }
    if (!anyRead) {
        outcome.written = Written::Missing;
        outcome.damaged.clear();
    } else if (partial) {
        outcome.written = Written::Partly;
    } else {
        outcome.written = outcome.damaged.empty() ? Written::Whole : Written::Damaged;
    }
    return outcome;
}

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
        disk.headerDoubts = headerDoubts(disk.header, disk.start, image.fileSize());
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
        disk.files.push_back(readFile(image, file, buffer));
    }
    image.setSectorRange(probing.first, probing.last);
    return disk;
}

// A file written again by a later disk under the same name replaces the
// earlier one; the last one written stays.
void noteReplacements(std::vector<DiskOutcome>& disks) {
    for (std::size_t i = 0; i < disks.size(); ++i) {
        for (FileOutcome& file : disks[i].files) {
            for (std::size_t later = i + 1; later < disks.size() && file.replacedBy < 0; ++later) {
                for (const FileOutcome& again : disks[later].files) {
                    if (again.written != Written::Missing &&
                        std::strcmp(again.file.name, file.file.name) == 0) {
                        file.replacedBy = disks[later].index;
                    }
                }
            }
        }
    }
}

// Counts the disks of the set and the headers that make sense among every
// disk of the file, those a disk number leaves out included.
void surveyDisks(d88::D88Image& image, std::uint8_t* scratch, ImageOutcome& result) {
    for (int index = 0; index < result.diskCount; ++index) {
        if (image.selectDisk(index)) {
            const d88::DiskHeader& header = image.diskHeader();
            result.sensibleHeaders +=
                headerDoubts(header, image.diskStart(index), result.fileSize).empty() ? 1 : 0;
        }
        result.disksOfTheSet += d88cut::identify(image, scratch, 0).kind ? 1 : 0;
    }
}

}  // namespace

std::int32_t FileOutcome::bytesRead() const {
    std::int32_t read = 0;
    for (const PieceRead& piece : pieces) {
        read += piece.bytesRead;
    }
    return read;
}

Outcome FileOutcome::outcome() const {
    if (written != Written::Missing && replacedBy >= 0) {
        return Outcome::Replaced;
    }
    switch (written) {
        case Written::Whole:
            return Outcome::Whole;
        case Written::Damaged:
            return Outcome::Damaged;
        case Written::Partly:
            return Outcome::Partly;
        case Written::Missing:
            break;
    }
    return Outcome::Missing;
}

bool DiskOutcome::forced(const CutChoice& choice) const {
    return choice.diskNo != 0 && chosen.kind && byProbes.kind != chosen.kind;
}

ImageOutcome accountFiles(d88::D88Image& image, const CutChoice& choice, std::uint8_t* scratch) {
    ImageOutcome result;
    result.fileSize = image.fileSize();
    result.diskCount = image.diskCount();
    result.choice = choice;
    std::vector<std::uint8_t> buffer;
    for (int index = 0; index < result.diskCount; ++index) {
        result.disks.push_back(readDisk(image, index, choice, scratch, buffer));
        // With a disk number only the first disk of the file is cut.
        if (choice.diskNo != 0) {
            break;
        }
    }
    noteReplacements(result.disks);
    surveyDisks(image, scratch, result);
    for (const DiskOutcome& disk : result.disks) {
        for (const FileOutcome& file : disk.files) {
            ++result.counts[static_cast<int>(file.outcome())];
        }
    }
    return result;
}

}  // namespace d88info
