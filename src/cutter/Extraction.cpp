#include "Extraction.h"

#include <cstdio>

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

// MUSDRV is its head, then the tail; it is left alone when neither can be read.
void writeMusdrv(const ExtractEntry& head) {
    const std::int32_t headRead = readRun(head, 0);
    const std::int32_t tailRead = readRun(musdrvTail, static_cast<std::size_t>(head.length));
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
