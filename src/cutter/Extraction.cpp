#include "Extraction.h"

#include <cstdio>
#include <cstring>

#include "RunState.h"
#include "Writers.h"
#include "diskset/Catalogue.h"

namespace d88cut {

namespace {

// Writes one file per row, numbered by the row index; a row that cannot be
// read leaves a gap and the rows after it keep their numbers.
void writeNumberedFiles(const ExtractTable& table) {
    char nameBuffer[260];
    for (int i = 0; table.rows[i].length != 0; ++i) {
        std::snprintf(nameBuffer, sizeof nameBuffer, table.namePattern, i);
        writeRun(nameBuffer, table.rows[i]);
    }
}

void writeNamedRuns(const NamedRun* runs) {
    for (const NamedRun* run = runs; run->fileName != nullptr; ++run) {
        writeRun(run->fileName, run->run);
    }
}

// Reads one piece of MUSDRV into the work buffer at `offset`; what it does
// not deliver is zero. Returns the bytes read.
std::int32_t readMusdrvPiece(const ExtractEntry& piece, std::int32_t offset) {
    std::uint8_t* dest =
        workBufferFor(static_cast<std::size_t>(offset), static_cast<std::size_t>(piece.length));
    const d88::TrackAddress start = piece.address();
    const std::int32_t bytesRead =
        runState.image.readSectors(start.index, start.cylinder(), start.head(), piece.startSector,
                                   kRunSizeCode, dest, piece.length);
    std::memset(dest + bytesRead, 0, static_cast<std::size_t>(piece.length - bytesRead));
    return bytesRead;
}

// MUSDRV is its head, then the tail; it is left alone when neither can be read.
void writeMusdrv(const ExtractEntry& head) {
    const std::int32_t headRead = readMusdrvPiece(head, 0);
    const std::int32_t tailRead = readMusdrvPiece(musdrvTail, head.length);
    if (headRead == 0 && tailRead == 0) {
        return;
    }
    const bool partial = headRead < head.length || tailRead < musdrvTail.length;
    writeBuffer(kMusdrvName, runState.workBuffer, head.length + musdrvTail.length, partial);
}

}  // namespace

void extractDisk(DiskKind kind, bool opFlag) {
    const KindCuts* cuts = kindInfo(kind).cuts;
    if (cuts == nullptr) {
        return;
    }
    if (cuts->musdrvHead != nullptr) {
        writeMusdrv(*cuts->musdrvHead);
    }
    if (cuts->table != nullptr) {
        writeNumberedFiles(*cuts->table);
    }
    writeNamedRuns(cuts->runs);
    if (opFlag) {
        writeNamedRuns(cuts->opRuns);
    }
}

}  // namespace d88cut
