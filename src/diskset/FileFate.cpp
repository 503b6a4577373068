#include "FileFate.h"

#include <cstring>

namespace d88cut {

namespace {

// What the reader tells of one run as it is read: the marked records it
// delivered whole, and the first sector it did not get whole, where the run
// stops.
class RunWatcher final : public d88::D88Image::SectorReadObserver {
  public:
    explicit RunWatcher(FileFate& fate) : fate(fate) {}

    void sectorRead(const d88::D88Image::SectorRequest& asked, const d88::TrackRecord* found,
                    std::int32_t delivered) override {
        if (found == nullptr || delivered != asked.length) {
            if (!stopped) {
                stopped = true;
                stop = UnreadSector{asked, found != nullptr, delivered};
            }
            return;
        }
        if (isNew(found->dataOffset) && fate.recordCount < FileFate::kMaxMarked) {
            fate.recordsRead[fate.recordCount++] = found->dataOffset;
            if (!found->header.isPlainlyNormal() && fate.markedCount < FileFate::kMaxMarked) {
                fate.marked[fate.markedCount++] = {asked.track, found->header, found->dataOffset};
            }
        }
    }

    bool stopped = false;
    UnreadSector stop = {};

  private:
    // Each record once: a track table whose entries alias lets a run reach
    // the same record again.
    bool isNew(std::int64_t dataOffset) const {
        for (const std::int64_t offset : fate.recordOffsets()) {
            if (offset == dataOffset) {
                return false;
            }
        }
        return true;
    }

    FileFate& fate;
};

PieceRead readPiece(d88::D88Image& image, FileFate& fate, int index, std::uint8_t* dest) {
    const ExtractEntry& run = fate.file.pieces[index];
    RunWatcher watcher(fate);
    image.observeSectorReads(&watcher);
    const std::int32_t bytesRead = readRunSectors(image, run, dest);
    image.observeSectorReads(nullptr);
    // The bytes no sector delivered never hold what an earlier read left.
    std::memset(dest + bytesRead, 0, static_cast<std::size_t>(run.length - bytesRead));
    // A run that read every byte asked nothing more of the reader.
    const bool stopped = bytesRead < run.length && watcher.stopped;
    return {fate.file.pieceOffset(index), run.length, bytesRead, stopped,
            stopped ? watcher.stop : UnreadSector{}};
}

}  // namespace

std::int32_t FileFate::bytesRead() const {
    std::int32_t read = 0;
    for (const PieceRead& piece : piecesRead()) {
        read += piece.bytesRead;
    }
    return read;
}

Outcome FileFate::outcome() const {
    if (isWritten() && replacedBy >= 0) {
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

// A file is written when any of its runs reads its first sector; it is
// whole when every run read every byte.
FileFate readCutFile(d88::D88Image& image, const CutFile& file, std::uint8_t* dest) {
    FileFate fate{};
    fate.file = file;
    fate.replacedBy = -1;
    bool anyRead = false;
    bool partial = false;
    for (int i = 0; i < file.pieceCount; ++i) {
        fate.pieces[i] = readPiece(image, fate, i, dest + file.pieceOffset(i));
        anyRead = anyRead || fate.pieces[i].bytesRead > 0;
        partial = partial || fate.pieces[i].bytesRead < file.pieces[i].length;
    }
    if (!anyRead) {
        fate.written = Written::Missing;
        fate.recordCount = 0;
        fate.markedCount = 0;
    } else if (partial) {
        fate.written = Written::Partly;
    } else {
        fate.written = fate.fromMarkedRecords() ? Written::Damaged : Written::Whole;
    }
    return fate;
}

void noteLaterFile(FileFate& file, const FileFate& later, int laterDisk) {
    if (file.replacedBy < 0 && later.isWritten() &&
        std::strcmp(later.file.name, file.file.name) == 0) {
        file.replacedBy = laterDisk;
    }
}

}  // namespace d88cut
