// What the picture says, in English or Japanese: its title, its legend, each
// disk's heading and the hover title of every cell. The picture's shapes and
// classes do not depend on it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "RecordStatus.h"
#include "d88/SectorHeader.h"
#include "diskset/Identification.h"

namespace d88info {

enum class PictureLanguage { English, Japanese };

// What a track's legend entry stands for, in the legend's order.
enum class TrackKey { Summary, Absent, Beyond, Inside, Ended, Capped, Cut, CutWithOp };
inline constexpr int kTrackKeyCount = 8;

// Whether d88cut cuts a record for the disk's kind.
enum class Cut { None, WithOp, Always };

class PictureWords {
  public:
    explicit PictureWords(PictureLanguage language)
        : japanese(language == PictureLanguage::Japanese) {}

    // "d88info: 2 disks".
    std::string documentTitle(int disks) const;
    // "2 disks in 645180 bytes; each cell a record ...".
    std::string legendTitle(int disks, std::int64_t bytes) const;
    // "normal", "ID or data CRC error", ...
    const char* stateWords(RecordState state) const;
    // "record: normal".
    std::string stateKey(RecordState state) const;
    const char* trackKey(TrackKey key) const;
    // "head 0".
    std::string head(int head) const;

    // "disk 0 at offset 0x00000000: "NAME", Program Disk" and what follows.
    std::string panelTitle(int index, std::int64_t start, const std::string& name,
                           const std::string& kind, bool shortTable) const;
    std::string unreadablePanel(int index, std::int64_t start) const;
    // The kind d88cut recognises, "not recognised" or "unsupported format".
    std::string kind(const d88cut::Identification& identification) const;

    // The hover title of a cell of `count` records alike but for R, whose
    // first header is `first` and sector numbers `numbers`; `holds` is the
    // bytes the file holds of a record cut off by its end, or -1.
    std::string cellTitle(int track, const d88::SectorHeader& first,
                          const std::vector<int>& numbers, std::int64_t holds, Cut cut) const;
    // A track drawn as one cell: its records and how many are in each state.
    std::string summaryTitle(int track, std::size_t records, bool capped,
                             const std::size_t (&counts)[kRecordStateCount]) const;
    std::string absentTitle(int track) const;
    std::string beyondTitle(int track, std::uint32_t offset) const;
    std::string insideTitle(int track, std::uint32_t offset) const;
    std::string endedTitle(int track, std::int64_t start) const;
    std::string cappedTitle(int track, std::size_t drawn) const;
    // A record's status byte in words: "data CRC error", "データ CRC エラー".
    std::string status(std::uint8_t byte) const;

  private:
    // "track 4 (C2 H0)".
    std::string trackName(int track) const;
    std::string density(std::uint8_t byte) const;
    std::string mark(std::uint8_t byte) const;

    bool japanese;
};

}  // namespace d88info
