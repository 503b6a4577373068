#include "Extraction.h"

#include "RunState.h"
#include "Writers.h"
#include "diskset/Catalogue.h"

namespace d88cut {

namespace {

// A file of several runs (MUSDRV: its head, then the tail), each read into
// the work buffer after the one before; it is left alone when none of them
// can be read.
void writeAssembled(const CutFile& file) {
    bool anyRead = false;
    bool partial = false;
    for (int i = 0; i < file.pieceCount; ++i) {
        const ExtractEntry& piece = file.pieces[i];
        const std::int32_t bytesRead =
            readRun(piece, static_cast<std::size_t>(file.pieceOffset(i)));
        anyRead = anyRead || bytesRead > 0;
        partial = partial || bytesRead < piece.length;
    }
    if (anyRead) {
        writeBuffer(file.name, runState.workBuffer, file.length(), partial);
    } else {
        runState.tally.notOnImage.add(file.name);
    }
}

}  // namespace

void extractDisk(DiskKind kind, bool opFlag) {
    const KindCuts* cuts = kindInfo(kind).cuts;
    if (cuts == nullptr) {
        return;
    }
    // A file whose first sector cannot be read leaves a gap; the files after
    // it keep their names.
    for (const CutFile& file : filesOf(*cuts, opFlag)) {
        if (file.pieceCount == 1) {
            writeRun(file.name, file.pieces[0]);
        } else {
            writeAssembled(file);
        }
    }
}

}  // namespace d88cut
