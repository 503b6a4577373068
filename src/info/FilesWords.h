// What d88info --files says, in English or Japanese: the image, the choice,
// each disk's verdict and header doubts, each file's outcome and the counts.
// Every word of the --files text lives here; FilesListing lays the lines out.
// Numbers of bytes (sizes and counts, not places) of five digits and more are
// grouped by thousands: "645,180 bytes", "645,180 バイト".
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "FileOutcomes.h"
#include "Language.h"
#include "d88/HeaderCheck.h"

namespace d88info {

class FilesWords {
  public:
    // `groupBytes` false keeps numbers of bytes as plain digits, as --json
    // keeps every number.
    explicit FilesWords(Language language, bool groupBytes = true)
        : japanese(language == Language::Japanese), grouped(groupBytes) {}

    // "image: 645,180 bytes, 3 disks, 1 of them of the set".
    std::string imageLine(const ImageOutcome& image) const;
    // "cut: every disk".
    std::string cutLine(const CutChoice& choice) const;
    // "disk 0 at offset 0x00000000 " before the quoted name.
    std::string diskHeading(int index, std::int64_t start) const;
    // What stands for the name of a disk whose header cannot be read.
    std::string unreadHeader() const;
    // What d88cut makes of the disk, after its heading and name.
    std::string verdict(const DiskOutcome& disk, const CutChoice& choice) const;
    // Each thing that gives a header away (see d88::HeaderFindings).
    std::string unknownMedia(std::uint8_t media) const;
    std::string smallerThanHeader(const d88::HeaderFindings& found) const;
    std::string misplacedFirstTrack(const d88::HeaderFindings& found) const;
    std::string mostTracksOutside(const d88::HeaderFindings& found) const;
    std::string pastFileEndWithNoTrack(const d88::HeaderFindings& found) const;
    // "  header: " and the doubts.
    std::string headerLine(const std::vector<std::string>& doubts) const;
    // What becomes of one file, after its name.
    std::string fileText(const d88cut::FileFate& file) const;
    // "files: 17 whole, ...".
    std::string countsLine(const int (&counts)[d88cut::kOutcomeCount]) const;

  private:
    // A number of bytes, grouped or not; with its unit.
    std::string number(long long count) const;
    std::string bytes(long long count) const;
    std::string sectorName(const d88::D88Image::SectorRequest& sector) const;
    std::string unreadText(const d88cut::UnreadSector& unread) const;
    std::string stopsText(const d88cut::FileFate& file) const;
    std::string zeroText(const d88cut::FileFate& file) const;
    std::string recordText(const d88cut::MarkedRecord& record) const;
    std::string recordList(const d88cut::FileFate& file) const;
    std::string kindVerdict(const DiskOutcome& disk, const CutChoice& choice) const;

    bool japanese;
    bool grouped;
};

}  // namespace d88info
