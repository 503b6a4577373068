// What is cut out of each disk kind, as the tables it is: numbered runs,
// runs under fixed names, and the two pieces of MUSDRV. Every run reads
// 1,024-byte sectors (N 3).
#pragma once

#include <cstddef>
#include <cstdint>

#include "d88/D88Image.h"
#include "d88/TrackAddress.h"

namespace d88cut {

inline constexpr std::int32_t kRunSizeCode = 3;

// One run of consecutive sectors: the track index and sector number R of its
// first sector, and the bytes it yields. The first sector's C and H are those
// of the track index.
struct ExtractEntry {
    std::int32_t track;
    std::int32_t startSector;
    std::int32_t length;  // 0 ends a table

    constexpr d88::TrackAddress address() const { return d88::TrackAddress::ofIndex(track); }
};

// Runs closed by a row of zeros, and the printf pattern that turns a row
// index into its file name.
struct ExtractTable {
    const char* namePattern;
    const ExtractEntry* rows;
};

// A run written under a fixed name; a null name ends a list of them.
struct NamedRun {
    const char* fileName;
    ExtractEntry run;
};

// MUSDRV is assembled from two runs: its head from a place that depends on
// the disk kind, then its tail, from the same place on every kind.
inline constexpr char kMusdrvName[] = "MUSDRV";

// What one disk kind cuts, in this order: MUSDRV, the files of its table,
// its fixed runs, and with -op its opening runs.
struct KindCuts {
    const ExtractEntry* musdrvHead;  // null: the kind writes no MUSDRV
    const ExtractTable* table;       // null: no numbered files
    const NamedRun* runs;
    const NamedRun* opRuns;  // cut only with -op
};

extern const KindCuts openingCuts;    // MO00-MO04; with -op OPDEMO, G_TITLE
extern const KindCuts programCuts;    // MUSDRV, MP00-MP26
extern const KindCuts demo1Cuts;      // MUSDRV, MDEMO100-MDEMO112
extern const KindCuts demo2Cuts;      // MDEMO200, MDEMO201
extern const KindCuts dataDisk3Cuts;  // M300
extern const KindCuts visualCuts;     // MV00

// One file a kind cuts: its name, and the runs its bytes are read from, each
// read into the file right after the one before (MUSDRV is two runs, every
// other file one).
struct CutFile {
    static constexpr int kMaxPieces = 2;
    static constexpr std::size_t kNameRoom = 16;

    char name[kNameRoom];
    ExtractEntry pieces[kMaxPieces];
    int pieceCount;
    bool onlyWithOp;  // OPDEMO and G_TITLE

    // The file's length: every piece's bytes.
    std::int32_t length() const;
    // Where piece `index` starts in the file.
    std::int32_t pieceOffset(int index) const;
};

// The most files one kind cuts: MUSDRV and MP00-MP26.
inline constexpr int kMaxCutFiles = 28;

// The files of a kind in the order they are cut: MUSDRV, the table's
// numbered files, the fixed runs, then the runs cut only with -op.
struct CutFileList {
    CutFile files[kMaxCutFiles];
    int count;

    const CutFile* begin() const { return files; }
    const CutFile* end() const { return files + count; }
};

// Every file `cuts` writes; with `opFlag` the files cut only with -op too.
CutFileList filesOf(const KindCuts& cuts, bool opFlag);

// Reads `run` from the selected disk of `image`, whose sector range must be
// the kind's, into `dest` (room for run.length bytes), as d88cut reads a run:
// consecutive sectors of size code kRunSizeCode from the run's first one on.
// Returns the bytes read in whole pieces before the first failing sector.
std::int32_t readRunSectors(d88::D88Image& image, const ExtractEntry& run, std::uint8_t* dest);

}  // namespace d88cut
