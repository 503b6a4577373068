// What d88cut does with each file of each disk of an image, and why: the
// disk loop, identification and runs of d88cut, made with the same reader,
// the same identification and the same list of files, with the reader telling
// which records each run read and where it stopped. Nothing is written.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "d88/D88Image.h"
#include "diskset/Catalogue.h"
#include "diskset/Identification.h"

namespace d88info {

// The optional argument d88cut takes after the image.
struct CutChoice {
    bool opFlag = false;  // -op
    int diskNo = 0;       // 1-8: only the first disk, taken as that disk; 0 for none
};

// A sector a run asked for and did not get whole: not there at all, or
// holding fewer bytes than asked.
struct UnreadSector {
    d88::D88Image::SectorRequest sector;
    bool found;              // a record with that ID is on the track
    std::int32_t delivered;  // bytes it gave of sector.length
};

// A record read into a file whose mark or status is not plainly normal.
struct DamagedRecord {
    std::int32_t track;
    d88::SectorHeader header;
};

// One run of a file as it was read.
struct PieceRead {
    std::int32_t offset;  // where it starts in the file
    std::int32_t length;
    std::int32_t bytesRead;  // the file holds zeros from offset + bytesRead to the run's end
    std::optional<UnreadSector> stop;  // where the run stopped, when it did
};

// What became of a file on the disk that cuts it.
enum class Written {
    Whole,    // every byte read, from records all normal
    Damaged,  // every byte read, from records among them damaged ones
    Partly,   // written at full length, zero from where a run stopped
    Missing,  // not written: no run of it could read its first sector
};

// What the user finds of a file after the whole run: as written, or replaced
// by a later disk's file of the same name.
enum class Outcome { Whole, Damaged, Partly, Missing, Replaced };
inline constexpr int kOutcomeCount = 5;

struct FileOutcome {
    d88cut::CutFile file;
    std::vector<PieceRead> pieces;
    std::vector<DamagedRecord> damaged;
    Written written = Written::Missing;
    int replacedBy = -1;  // the later disk that writes a file of this name, or -1

    std::int32_t bytesRead() const;
    Outcome outcome() const;
};

// What d88cut makes of one disk.
struct DiskOutcome {
    int index = 0;
    std::int64_t start = 0;
    bool headerRead = false;
    d88::DiskHeader header = {};
    // Why the header does not look like one a D88 writer made; none when it does.
    std::vector<std::string> headerDoubts;
    // What d88cut decides with the choice made, and what the probe sectors
    // alone say (the two differ only where a disk number forced the kind).
    d88cut::Identification chosen = {d88cut::Verdict::Unsupported, std::nullopt};
    d88cut::Identification byProbes = {d88cut::Verdict::Unsupported, std::nullopt};
    std::vector<FileOutcome> files;  // in the order d88cut cuts them

    // True when the disk number given made the kind, not the probe sectors.
    bool forced(const CutChoice& choice) const;
};

struct ImageOutcome {
    std::int64_t fileSize = 0;
    int diskCount = 0;
    CutChoice choice;
    std::vector<DiskOutcome> disks;  // the disks d88cut walks: all, or the first with a number
    int counts[kOutcomeCount] = {};
    // Of every disk of the file, whatever the choice: those whose probe
    // sectors make them a disk of the set, and those whose header looks like
    // one a D88 writer made.
    int disksOfTheSet = 0;
    int sensibleHeaders = 0;

    // True when some disk is of the set or has a header that makes sense.
    bool looksLikeD88() const { return disksOfTheSet > 0 || sensibleHeaders > 0; }
};

// Walks the disks of the open `image` as d88cut does with `choice`,
// identifying each with `scratch` (kScratchSize bytes) as the probe buffer and
// reading every run of each recognised disk. Changes which disk is selected
// and the reader's sector range.
ImageOutcome accountFiles(d88::D88Image& image, const CutChoice& choice, std::uint8_t* scratch);

}  // namespace d88info
