#include "ImageRecipes.h"

#include <algorithm>

namespace d88mk {

namespace {

// Tracks that identification and the cutting of every disk kind read.
constexpr int kReadTracks[] = {1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12, 18, 19, 26, 27,
                               28, 31, 32, 33, 34, 35, 36, 37, 38, 39, 40, 41, 42, 43, 44, 57};

bool isReadTrack(int track) {
    for (int t : kReadTracks) {
        if (t == track) {
            return true;
        }
    }
    return false;
}

DiskBuilder compactSetDisk(SetDisk disk) {
    DiskBuilder builder = setDisk(disk, 60);
    for (int track = 0; track < 60; ++track) {
        if (!isReadTrack(track)) {
            builder.dropTrack(track);
        }
    }
    return builder;
}

Bytes truncated(Bytes bytes, std::size_t size) {
    if (bytes.size() > size) {
        bytes.resize(size);
    }
    return bytes;
}

// The sector's content with every `step`-th byte from `from` on turned round.
Bytes garbled(int track, int r, std::size_t from, std::size_t step) {
    Bytes data = sectorContent(track, r, 1024);
    for (std::size_t at = from; at < data.size(); at += step) {
        data[at] = static_cast<std::uint8_t>(~data[at]);
    }
    return data;
}

constexpr std::uint8_t kDataCrcError = 0xB0;
constexpr std::uint8_t kNoDataMark = 0xF0;
constexpr int kDumpTracks = 60;

}  // namespace

DiskDumps repairableDumps(SetDisk disk, int tracks) {
    DiskDumps made;
    made.clean = setDisk(disk, tracks).build();
    DiskBuilder first = setDisk(disk, tracks);
    first.markSector(4, 1, 0, kDataCrcError).setSectorData(4, 1, garbled(4, 1, 0, 7));
    first.markSector(6, 3, 0, kDataCrcError).setSectorData(6, 3, garbled(6, 3, 5, 3));
    DiskBuilder second = setDisk(disk, tracks);
    second.dropTrack(5).dropSector(6, 2);
    DiskBuilder third = setDisk(disk, tracks);
    third.reverseTrack(7).markSector(4, 2, 0, kNoDataMark).setSectorData(4, 2, {});
    made.dumps = {first.build(), second.build(), third.build()};
    return made;
}

std::vector<Bytes> setDumps() {
    std::vector<std::vector<Bytes>> disks(3);
    for (SetDisk disk : kAllSetDisks) {
        const DiskDumps made = repairableDumps(disk, 160);
        for (std::size_t dump = 0; dump < disks.size(); ++dump) {
            disks[dump].push_back(made.dumps[dump]);
        }
    }
    return {concat(disks[0]), concat(disks[1]), concat(disks[2])};
}

DiskDumps conflictingDumps(SetDisk disk) {
    DiskDumps made;
    made.clean = setDisk(disk, kDumpTracks).build();
    DiskBuilder other = setDisk(disk, kDumpTracks);
    other.setSectorData(4, 1, garbled(4, 1, 100, 200));
    made.dumps = {made.clean, other.build(), made.clean};
    return made;
}

DiskDumps votingDumps(SetDisk disk) {
    DiskDumps made;
    made.clean = setDisk(disk, kDumpTracks).build();
    for (std::size_t from = 0; from < 3; ++from) {
        DiskBuilder dump = setDisk(disk, kDumpTracks);
        dump.markSector(4, 2, 0, kDataCrcError).setSectorData(4, 2, garbled(4, 2, from, 3));
        made.dumps.push_back(dump.build());
    }
    return made;
}

DiskDumps duplicateIdDumps(SetDisk disk) {
    DiskDumps made;
    made.clean = setDisk(disk, kDumpTracks).build();
    DiskBuilder twice = setDisk(disk, kDumpTracks);
    twice.addRecord(6, makeRecord(3, 0, 2, 3, garbled(6, 2, 0, 1)));
    made.dumps = {twice.build(), made.clean};
    return made;
}

std::vector<Bytes> sampleDisks() {
    std::vector<Bytes> disks;
    for (SetDisk disk : kAllSetDisks) {
        disks.push_back(setDisk(disk).build());
    }
    return disks;
}

Bytes sampleImage() {
    return concat(sampleDisks());
}

std::vector<std::pair<std::string, Bytes>> seedImages() {
    std::vector<std::pair<std::string, Bytes>> seeds;
    std::vector<Bytes> all;
    int index = 0;
    for (SetDisk disk : kAllSetDisks) {
        Bytes bytes = compactSetDisk(disk).build();
        seeds.emplace_back("disk" + std::to_string(index++), bytes);
        all.push_back(bytes);
    }
    seeds.emplace_back("all", concat(all));

    const Bytes program = compactSetDisk(SetDisk::ProgramDisk).build();
    seeds.emplace_back("cut-in-data", truncated(program, program.size() / 2));
    seeds.emplace_back("cut-in-header",
                       truncated(concat({program, program}), program.size() + 300));
    seeds.emplace_back("size-zero", DiskBuilder().setDiskSize(0).build());

    DiskBuilder gaps = compactSetDisk(SetDisk::ProgramDisk);
    gaps.dropSector(33, 4).dropSector(35, 2).dropTrack(3);
    gaps.setTrackOffset(40, 0x7FFFFFF0u);
    seeds.emplace_back("gaps", gaps.build());
    // MUSDRV of a Demo Disk 1 from its tail alone.
    DiskBuilder tailOnly = compactSetDisk(SetDisk::DemoDisk1);
    tailOnly.dropSector(4, 2);
    seeds.emplace_back("musdrv-tail", tailOnly.build());

    DiskBuilder counts;
    // An Opening Disk's boot sector behind a count of 0, and a track whose
    // counts promise far more records than it holds.
    counts.addRecord(1, makeRecord(0, 1, 1, 1, bytesWithSum(30971), 0));
    const Record longWalk = makeRecord(4, 0, 0, 3, {}, 0xFFFF, 0);
    counts.addRecord(8, longWalk).addRecord(8, longWalk);
    seeds.emplace_back("counts", counts.build());

    seeds.emplace_back("hostile", hostileImage(8 * 1024));
    // More sector IDs on one track than a reader keeps of a walk, and the same
    // ID twice on tracks with many IDs and with few.
    DiskBuilder manyIds;
    manyIds.fillTrack(0, 0, 79, 0).addSector(0, 5, 0, Bytes(128, 0xA5));
    manyIds.fillTrack(1, 0, 9, 0).addSector(1, 3, 0, Bytes(128, 0x5A));
    seeds.emplace_back("many-ids", manyIds.build());
    // A Data Disk 3 named in Shift_JIS ("データ"), with characters that text
    // made of the name must escape.
    DiskBuilder named = compactSetDisk(SetDisk::DataDisk3);
    named.setName("\x83\x66\x81\x5B\x83\x5E<&>\"");
    seeds.emplace_back("named", named.build());
    // A disk whose boot sector has no known sum, then one whose boot sector
    // holds only 128 bytes, with a Program Disk's sum if the rest reads as
    // zeros: whatever the first disk's probe left must be cleared.
    DiskBuilder unknown;
    unknown.addRecord(1, makeRecord(0, 1, 1, 1, bytesWithSum(20000)));
    Bytes half(128, 209);
    for (std::size_t i = 0; i < 26825 % 128; ++i) {
        half[i] = 210;
    }
    DiskBuilder shortProbe;
    shortProbe.addRecord(1, makeRecord(0, 1, 1, 1, half));
    seeds.emplace_back("short-probe", concat({unknown.build(), shortProbe.build()}));
    return seeds;
}

Bytes damagedImage() {
    DiskBuilder program = setDisk(SetDisk::ProgramDisk, 84);
    // "サンプル <&>": Shift_JIS text and the characters XML escapes.
    program.setName("\x83\x54\x83\x93\x83\x76\x83\x8B <&>");
    program
        .markSector(33, 2, 0x00, 0xB0)  // data CRC error in a file d88cut cuts
        .markSector(20, 1, 0x00, 0xA0)  // ID CRC error
        .markSector(40, 4, 0x10, 0x00)  // deleted-data mark
        .markSector(50, 3, 0x00, 0xF0)  // no data mark
        .markSector(60, 0, 0x00, 0xE0)  // no address mark
        .markSector(70, 2, 0x00, 0x01)  // a status no controller gives
        .dropTrack(64)
        .setTrackOffset(80, 0x7FFFFFF0u);
    const DiskBuilder demo = setDisk(SetDisk::DemoDisk1, 84);
    const Bytes programBytes = program.build();
    Bytes image = concat({programBytes, demo.build()});
    image.resize(programBytes.size() + demo.trackStart(41) + 2 * (16 + 1024) + 16 + 300);
    return image;
}

Bytes largeIndexImage() {
    std::vector<Bytes> disks;
    for (int i = 0; i < 64; ++i) {
        const SetDisk disk = kAllSetDisks[i % 8];
        DiskBuilder builder = setDisk(disk, 154);
        builder.setMedia(0x20);
        int first = 0;
        int last = 0;
        setDiskRange(disk, first, last);
        // Three more sectors per track, outside the range the runs walk.
        for (int track = 2; track < 154; ++track) {
            builder.fillTrack(track, last + 1, last + 3, 3);
        }
        disks.push_back(builder.build());
    }
    return concat(disks);
}

namespace {

// One disk recognised as a Program Disk, so that every run is tried, whose
// tracks (all but track 1) lie in one walk of zero-length records with IDs no
// run asks for: no record's position ever equals its count minus one, and no
// count is 0, so every walk goes on to the end of the file. With `spread`,
// track t starts at record t of the walk, else every track at its first.
Bytes endlessWalkImage(std::size_t size, bool spread) {
    DiskBuilder builder;
    builder.setName("HOSTILE").setMedia(0x10);
    builder.addRecord(1, makeRecord(0, 1, 1, 1, bytesWithSum(26825)));
    Bytes walk;
    walk.reserve(size);
    for (std::size_t i = 0; walk.size() + 16 <= size; ++i) {
        const unsigned count = static_cast<unsigned>((i + 2) % 65535) + 1;
        Bytes header(16, 0);
        std::fill(header.begin(), header.begin() + 4, 0xFF);
        header[4] = static_cast<std::uint8_t>(count & 0xFF);
        header[5] = static_cast<std::uint8_t>(count >> 8);
        walk.insert(walk.end(), header.begin(), header.end());
    }
    builder.appendTrackBytes(2, walk);
    const std::uint32_t walkStart = builder.trackStart(2);
    for (int track = 0; track < DiskBuilder::kTrackCount; ++track) {
        if (track != 1) {
            const std::uint32_t record = spread ? static_cast<std::uint32_t>(track) : 0;
            builder.setTrackOffset(track, walkStart + 16 * record);
        }
    }
    return builder.build();
}

}  // namespace

Bytes hostileImage(std::size_t size) {
    return endlessWalkImage(size, false);
}

Bytes chainImage(std::size_t size) {
    return endlessWalkImage(size, true);
}

}  // namespace d88mk
