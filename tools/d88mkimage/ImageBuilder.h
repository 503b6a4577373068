// Builds D88 images in memory for tests, fuzz seeds, the sample and the
// benchmarks: any disks, tracks and records, well-formed or damaged.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace d88mk {

using Bytes = std::vector<std::uint8_t>;

// One record of a track: a 16-byte sector header and the data after it.
struct Record {
    int c = 0;
    int h = 0;
    int r = 1;
    int n = 3;
    Bytes data;
    int sectorCount = -1;  // written as is; -1 writes the number of records on the track
    int dataLength = -1;   // written as is; -1 writes data.size()
    std::uint8_t density = 0;
    std::uint8_t deleted = 0;
    std::uint8_t status = 0;
};

// A record with the given ID and data; -1 for `sectorCount` or `dataLength`
// lets the builder write the number of records on the track or the data's size.
Record makeRecord(int c, int h, int r, int n, Bytes data, int sectorCount = -1,
                  int dataLength = -1);

class DiskBuilder {
  public:
    static constexpr int kTrackCount = 164;
    static constexpr std::size_t kHeaderSize = 688;

    // Raw name bytes written from offset 0 (up to 26 bytes, so a test can run
    // the name on past the 16-byte field).
    DiskBuilder& setName(const std::string& raw);
    DiskBuilder& setMedia(std::uint8_t media);
    DiskBuilder& setWriteProtect(std::uint8_t flag);
    DiskBuilder& addRecord(int track, Record record);
    // A record with the C and H of the track index (d88::TrackAddress).
    DiskBuilder& addSector(int track, int r, int n, Bytes data);
    // Sectors firstR..lastR of 128 << n bytes, each filled with sectorContent().
    DiskBuilder& fillTrack(int track, int firstR, int lastR, int n);
    // Sets the deleted-data mark and status bytes of the records numbered `r` of a track.
    DiskBuilder& markSector(int track, int r, std::uint8_t deleted, std::uint8_t status);
    // Replaces the data of the records numbered `r` of a track.
    DiskBuilder& setSectorData(int track, int r, const Bytes& data);
    // Turns the order of a track's records round.
    DiskBuilder& reverseTrack(int track);
    // Removes a track, or the records numbered `r` of a track.
    DiskBuilder& dropTrack(int track);
    DiskBuilder& dropSector(int track, int r);
    // Raw bytes written after the track's records.
    DiskBuilder& appendTrackBytes(int track, const Bytes& raw);
    // Replaces the track table entry the layout would give.
    DiskBuilder& setTrackOffset(int track, std::uint32_t offset);
    // Replaces the disk size the layout would give.
    DiskBuilder& setDiskSize(std::uint32_t size);

    // The disk's bytes: header, then the tracks in index order.
    Bytes build() const;
    // Offset of the track's first byte from the disk's start, as built (0 when absent).
    std::uint32_t trackStart(int track) const;

  private:
    Bytes trackBytes(int track) const;

    Bytes name_;
    std::uint8_t media_ = 0x10;
    std::uint8_t writeProtect_ = 0;
    std::map<int, std::vector<Record>> records_;
    std::map<int, Bytes> extraBytes_;
    std::map<int, std::uint32_t> offsetOverrides_;
    bool sizeOverridden_ = false;
    std::uint32_t sizeOverride_ = 0;
};

// Content that tells where it came from: 16-byte lines "tTTT rRRR @OOOO\n"
// with the track index, the sector number and the byte offset in hex.
Bytes sectorContent(int track, int r, std::size_t size);

// `size` bytes (at least 256) whose first 256 add up to `sum` (at most 65,280).
Bytes bytesWithSum(unsigned sum, std::size_t size = 256);

// The disks of the set, as a test knows them.
enum class SetDisk {
    OpeningDisk,
    ProgramDisk,
    DemoDisk1,
    DataDisk1,
    DemoDisk2,
    DataDisk2,
    DataDisk3,
    VisualDisk,
};
inline constexpr SetDisk kAllSetDisks[] = {
    SetDisk::OpeningDisk, SetDisk::ProgramDisk, SetDisk::DemoDisk1, SetDisk::DataDisk1,
    SetDisk::DemoDisk2,   SetDisk::DataDisk2,   SetDisk::DataDisk3, SetDisk::VisualDisk,
};

// A whole disk of the set with `tracks` tracks: its probe sectors on track 1 and
// 1,024-byte sectors in the disk's sector range on every other track, each
// filled with sectorContent().
DiskBuilder setDisk(SetDisk disk, int tracks = 160);

// Sector range (first R, last R) of the 1,024-byte sectors of a set disk.
void setDiskRange(SetDisk disk, int& first, int& last);

// One disk (its bytes alone, header first) in the form some writers make: a
// 672-byte header with a track table of 160 entries, every track offset and
// the disk size 16 less, the tracks' bytes as they were.
Bytes withShortHeader(const Bytes& disk);

Bytes concat(const std::vector<Bytes>& parts);
// Paths are UTF-8.
void writeFile(const std::string& path, const Bytes& bytes);
Bytes readFile(const std::string& path);

}  // namespace d88mk
