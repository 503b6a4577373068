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
