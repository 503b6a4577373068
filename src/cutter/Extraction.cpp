#include "Extraction.h"

#include <cstdio>
#include <cstring>

#include "Catalogue.h"
#include "RunState.h"
#include "Writers.h"

namespace d88cut {

namespace {

bool writeFixedRun(const FixedRun& run) {
    return writeRun(run.fileName, run.track, run.c, run.h, run.r, kRunSizeCode, 0, run.length);
}

// Writes one file per row, numbered by the row index; a row that cannot be
// read leaves a gap and the rows after it keep their numbers.
void walkTable(const ExtractTable& table) {
    char nameBuffer[260];
    for (int i = 0; table.rows[i].length != 0; ++i) {
        const ExtractEntry& row = table.rows[i];
        std::snprintf(nameBuffer, sizeof nameBuffer, table.namePattern, i);
        writeRun(nameBuffer, row.track, row.track >> 1, row.track & 1, row.startSector,
                 kRunSizeCode, 0, row.length);
    }
}

// Reads one piece of MUSDRV into place; what it does not deliver is zero.
bool readMusdrvPiece(const MusdrvPiece& piece, std::int32_t& bytesRead) {
    std::uint8_t* dest = workBuffer + piece.offset;
    bytesRead =
        image.readSectors(piece.track, piece.c, piece.h, piece.r, kRunSizeCode, dest, piece.length);
    std::memset(dest + bytesRead, 0, static_cast<std::size_t>(piece.length - bytesRead));
    return bytesRead == piece.length;
}

// MUSDRV is assembled from two pieces; it is left alone when neither can be read.
void writeMusdrv(const MusdrvPiece& head) {
    std::int32_t headRead = 0;
    std::int32_t tailRead = 0;
    const bool headWhole = readMusdrvPiece(head, headRead);
    const bool tailWhole = readMusdrvPiece(musdrvTail, tailRead);
    if (headRead == 0 && tailRead == 0) {
        return;
    }
    writeBuffer(kMusdrvName, workBuffer, kMusdrvLength, !(headWhole && tailWhole));
}

}  // namespace

void extractDisk(DiskKind kind, bool opFlag) {
    switch (kind) {
        case DiskKind::OpeningDisk:
            walkTable(moTable);
            if (opFlag) {
                writeFixedRun(opdemoRun);
                writeFixedRun(gTitleRun);
            }
            break;
        case DiskKind::ProgramDisk:
            writeMusdrv(programMusdrvHead);
            walkTable(mpTable);
            break;
        case DiskKind::DemoDisk1:
            writeMusdrv(demo1MusdrvHead);
            walkTable(mdemo1Table);
            break;
        case DiskKind::DemoDisk2:
            walkTable(mdemo2Table);
            break;
        case DiskKind::DataDisk3:
            writeFixedRun(m300Run);
            break;
        case DiskKind::VisualDisk:
            writeFixedRun(mv00Run);
            break;
        case DiskKind::DataDisk1:
        case DiskKind::DataDisk2:
            break;
    }
}

}  // namespace d88cut
