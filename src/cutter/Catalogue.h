// What is cut out of each disk kind: the numbered runs of the tables, the fixed
// runs, and the two pieces of MUSDRV. Every run reads 1,024-byte sectors (N 3).
#pragma once

#include <cstdint>

namespace d88cut {

inline constexpr std::int32_t kRunSizeCode = 3;

// One run to cut out. The first sector's C is track / 2 and its H track % 2.
struct ExtractEntry {
    std::int32_t track;
    std::int32_t startSector;
    std::int32_t length;  // bytes of the output file; 0 ends a table
};

// A table of runs closed by a row of zeros, and the printf pattern that turns a
// row index into its file name.
struct ExtractTable {
    const char* namePattern;
    const ExtractEntry* rows;
};

extern const ExtractTable moTable;      // Opening Disk: MO00-MO04
extern const ExtractTable mpTable;      // Program Disk: MP00-MP26
extern const ExtractTable mdemo1Table;  // Demo Disk 1: MDEMO100-MDEMO112
extern const ExtractTable mdemo2Table;  // Demo Disk 2: MDEMO200-MDEMO201

// A run written under a fixed name.
struct FixedRun {
    const char* fileName;
    std::int32_t track;
    std::int32_t c;
    std::int32_t h;
    std::int32_t r;
    std::int32_t length;
};

extern const FixedRun opdemoRun;  // Opening Disk, with -op
extern const FixedRun gTitleRun;  // Opening Disk, with -op, after OPDEMO
extern const FixedRun m300Run;    // Data Disk 3
extern const FixedRun mv00Run;    // Visual Disk

// MUSDRV is 5,120 bytes from two runs: the first 2,048 bytes from a place that
// depends on the disk, the last 3,072 from the same place on both disks.
inline constexpr char kMusdrvName[] = "MUSDRV";
inline constexpr std::int32_t kMusdrvLength = 5120;
struct MusdrvPiece {
    std::int32_t track;
    std::int32_t c;
    std::int32_t h;
    std::int32_t r;
    std::int32_t offset;  // where the piece lands in the file
    std::int32_t length;
};
extern const MusdrvPiece programMusdrvHead;
extern const MusdrvPiece demo1MusdrvHead;
extern const MusdrvPiece musdrvTail;

}  // namespace d88cut
