// What becomes of a file that a disk of the set cuts: its runs read through
// the one reader, which tells of every sector they ask for, and from that
// whether the file is written whole, from records that are not plainly
// normal, partly, or not at all, and whether a later disk replaces it. Both
// tools take each file's fate from here; nothing here allocates or prints.
#pragma once

#include <cstdint>

#include "Catalogue.h"
#include "d88/D88Image.h"

namespace d88cut {

// A sector a run asked for and did not get whole: not there at all, or
// holding fewer bytes than asked.
struct UnreadSector {
    d88::D88Image::SectorRequest sector;
    bool found;              // a record with that ID is on the track
    std::int32_t delivered;  // bytes it gave of sector.length
};

// A record read whole into a file whose deleted-data mark or status is not
// 0x00: the record the reader takes for that ID, the first on its track.
struct MarkedRecord {
    std::int32_t track;
    d88::SectorHeader header;
    std::int64_t dataOffset;  // where its data lies in the file: one record, however reached
};

// One run of a file as it was read.
struct PieceRead {
    std::int32_t offset;     // where it starts in the file
    std::int32_t length;     // bytes it should give
    std::int32_t bytesRead;  // the file holds zeros from offset + bytesRead to the run's end
    bool stopped;            // the run stopped at `stop` before its end
    UnreadSector stop;
};

// What the reading of a file came to.
enum class Written {
    Whole,    // every byte read, from records all plainly normal
    Damaged,  // every byte read, from records among them marked ones
    Partly,   // written at full length, zero from where a run stopped
    Missing,  // not written: no run of it could read its first sector
};

// What the user finds of a file after the whole image: as written, or
// replaced by a later disk's file of the same name.
enum class Outcome { Whole, Damaged, Partly, Missing, Replaced };
inline constexpr int kOutcomeCount = 5;

// The elements of an array from `first` up to `last`, for a range-for.
template <typename T>
struct Elements {
    const T* first;
    const T* last;
    const T* begin() const { return first; }
    const T* end() const { return last; }
};

struct FileFate {
    // The most records one file reads: OPDEMO's 14 sectors. The same record
    // reached again (through track table entries that alias) counts once.
    static constexpr int kMaxMarked = 16;

    CutFile file;
    PieceRead pieces[CutFile::kMaxPieces];
    // The records read whole, in the order they were read, each once.
    std::int64_t recordsRead[kMaxMarked];
    int recordCount;
    // Marked records among those read whole, in the order they were read,
    // each once; a file not written keeps none.
    MarkedRecord marked[kMaxMarked];
    int markedCount;
    Written written;
    int replacedBy;  // the later disk that writes a file of this name, or -1

    bool isWritten() const { return written != Written::Missing; }
    // Some byte written came from a marked record (the file is Damaged, or
    // Partly with marked records before a break).
    bool fromMarkedRecords() const { return markedCount > 0; }
    bool partlyRead() const { return written == Written::Partly; }
    Elements<PieceRead> piecesRead() const { return {pieces, pieces + file.pieceCount}; }
    // Where the data of each record read whole lies in the file.
    Elements<std::int64_t> recordOffsets() const {
        return {recordsRead, recordsRead + recordCount};
    }
    Elements<MarkedRecord> markedRecords() const { return {marked, marked + markedCount}; }
    // Bytes the runs read, over every piece.
    std::int32_t bytesRead() const;
    Outcome outcome() const;
};

// Reads every run of `file` from the selected disk of `image`, whose sector
// range must be the kind's, into `dest` (file.length() bytes), each at its
// place in the file; the bytes that no run delivered are zero.
FileFate readCutFile(d88::D88Image& image, const CutFile& file, std::uint8_t* dest);

// `file` of an earlier disk meets `later`, a file of disk `laterDisk` that
// comes after it in the image: the first later disk that writes a file of the
// same name replaces it.
void noteLaterFile(FileFate& file, const FileFate& later, int laterDisk);

}  // namespace d88cut
