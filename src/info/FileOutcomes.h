// What d88cut does with each file of each disk of an image, and why: the
// disk loop and identification of d88cut, with each file's fate read as
// d88cut reads it (d88cut::readCutFile). Nothing is written.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "d88/D88Image.h"
#include "d88/HeaderCheck.h"
#include "diskset/FileFate.h"
#include "diskset/Identification.h"
#include "diskset/ImageSurvey.h"

namespace d88info {

// The fate of each file, as both tools read it.
using d88cut::FileFate;
using d88cut::MarkedRecord;
using d88cut::Outcome;
using d88cut::PieceRead;
using d88cut::UnreadSector;
using d88cut::Written;

// The optional argument d88cut takes after the image.
struct CutChoice {
    bool opFlag = false;  // -op
    int diskNo = 0;       // 1-8: only the first disk, taken as that disk; 0 for none
};

// What d88cut makes of one disk.
struct DiskOutcome {
    int index = 0;
    std::int64_t start = 0;
    bool headerRead = false;
    d88::DiskHeader header = {};
    // What gives the header away as none a D88 writer made (read only when
    // headerRead); see headerDoubts() for it in words.
    d88::HeaderFindings headerFindings = {};
    // What d88cut decides with the choice made, and what the probe sectors
    // alone say (the two differ only where a disk number forced the kind).
    d88cut::Identification chosen = {d88cut::Verdict::Unsupported, std::nullopt};
    d88cut::Identification byProbes = {d88cut::Verdict::Unsupported, std::nullopt};
    std::vector<d88cut::FileFate> files;  // in the order d88cut cuts them

    // True when the disk number given made the kind, not the probe sectors.
    bool forced(const CutChoice& choice) const;
};

struct ImageOutcome {
    CutChoice choice;
    std::vector<DiskOutcome> disks;  // the disks d88cut walks: all, or the first with a number
    int counts[d88cut::kOutcomeCount] = {};
    // Every disk of the file, whatever the choice: what the file is.
    d88cut::ImageSurvey survey = {};

    std::int64_t fileSize() const { return survey.fileSize; }
    int diskCount() const { return survey.diskCount; }
    bool looksLikeD88() const { return survey.nature == d88cut::ImageNature::D88; }
};

// Walks the disks of the open `image` as d88cut does with `choice`,
// identifying each with `scratch` (kScratchSize bytes) as the probe buffer and
// reading every run of each recognised disk. Changes which disk is selected
// and the reader's sector range.
ImageOutcome accountFiles(d88::D88Image& image, const CutChoice& choice, std::uint8_t* scratch);

}  // namespace d88info
