// Whole images made from the builder for the sample, fuzz seeds and benchmarks.
#pragma once

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

#include "ImageBuilder.h"

namespace d88mk {

// The eight disks of the set, each a full 160-track double-sided disk.
Bytes sampleImage();
// The same disks, each on its own.
std::vector<Bytes> sampleDisks();

// Small images for seeding fuzzers: each disk of the set with only the tracks
// that identification and cutting read, all of them together, and damaged
// variants (cut short, count 0, offsets beyond the disk, size 0, ...).
std::vector<std::pair<std::string, Bytes>> seedImages();

// Two disks of the set with damage of every kind the tools name: a Program
// Disk named in Shift_JIS with records of every status, a deleted-data mark,
// a missing track and one beyond the disk; then a Demo Disk 1 cut off by the
// end of the file inside track 41, in the middle of the files it holds.
Bytes damagedImage();

// Reads of one disk of the set (60 tracks) as separate dumps of it give them,
// and the disk as it is undamaged.
struct DiskDumps {
    Bytes clean;
    std::vector<Bytes> dumps;
};

// Where the damage of the dumps below lies: tracks the disk's files are read from.
inline constexpr int kDamagedTracks[] = {4, 5, 6, 7};

// Three dumps, each damaged where the others are good: the first with data
// CRC errors (and its data garbled) on track 4 R1 and track 6 R3, the second
// without track 5 and without track 6 R2, the third with track 7's records
// in the reverse order and track 4 R2 without its data mark.
DiskDumps repairableDumps(SetDisk disk, int tracks = 60);
// Three dumps of the eight disks of the set, each a full 160-track disk,
// every disk damaged as repairableDumps() damages it.
std::vector<Bytes> setDumps();
// Two dumps whose good copies of track 4 R1 differ, and a third like the first.
DiskDumps conflictingDumps(SetDisk disk);
// Three dumps whose track 4 R2 is a data CRC error in every one, each garbled
// at other bytes, so that the byte-by-byte majority is the true data.
DiskDumps votingDumps(SetDisk disk);
// One dump whose track 6 holds R2 twice, and a clean one.
DiskDumps duplicateIdDumps(SetDisk disk);

// 64 disks of high-density size (154 tracks of eight 1,024-byte sectors), the
// set's disks over and over.
Bytes largeIndexImage();

// One disk recognised as a Program Disk whose every other track is a walk of
// zero-length records that runs on to the end of a file of about `size` bytes.
Bytes hostileImage(std::size_t size);

// The same, but each of those tracks starts at a record of its own in that
// one long walk, so that no two tracks share a start.
Bytes chainImage(std::size_t size);

}  // namespace d88mk
