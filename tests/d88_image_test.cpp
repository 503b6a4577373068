// Unit tests of D88Image: indexing the disks of a file, selecting one, and
// reading its sectors singly, as runs across tracks and as ID listings.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "ImageBuilder.h"
#include "ToolRun.h"
#include "d88/D88Image.h"

namespace {

using d88::D88Image;
using d88mk::Bytes;
using d88mk::concat;
using d88mk::DiskBuilder;
using d88mk::Record;
using d88mk::sectorContent;

constexpr std::uint8_t kUntouched = 0xEE;

Bytes cutTo(Bytes bytes, std::size_t size) {
    bytes.resize(size);
    return bytes;
}

Bytes slice(const Bytes& bytes, std::size_t from, std::size_t count) {
    return Bytes(bytes.begin() + from, bytes.begin() + from + count);
}

std::uint32_t u32At(const Bytes& bytes, std::size_t at) {
    return bytes[at] | (bytes[at + 1] << 8) | (bytes[at + 2] << 16) |
           (static_cast<std::uint32_t>(bytes[at + 3]) << 24);
}

// A record with C 0 and H 0; count and length -1 take the builder's values.
Record rec(int r, int n, Bytes data, int count = -1, int length = -1) {
    return d88mk::makeRecord(0, 0, r, n, std::move(data), count, length);
}

// A disk that is nothing but its 688-byte header.
Bytes bareDisk(std::uint32_t size) {
    return DiskBuilder().setDiskSize(size).build();
}

class D88ImageTest : public ::testing::Test {
  protected:
    // Writes `bytes` to a fresh scratch file (never one that is open) and returns its path.
    std::string put(const Bytes& bytes) {
        const std::string path = dir.file("image" + std::to_string(files++) + ".d88");
        d88mk::writeFile(path, bytes);
        return path;
    }
    void load(D88Image& target, const Bytes& bytes) {
        ASSERT_TRUE(target.open(put(bytes).c_str()));
        ASSERT_TRUE(target.selectDisk(0));
    }
    // Reads one sector into `buffer`, whose bytes start as kUntouched.
    std::int32_t read(D88Image& img, int track, int c, int h, int r, int n, int len) {
        buffer.assign(static_cast<std::size_t>(std::max(len, 0)) + 16, kUntouched);
        return img.readSector(track, c, h, r, n, buffer.data(), len);
    }
    // Checks a result against the bytes that should have landed, and that
    // nothing after them up to `len` was overwritten with other data.
    void expectRead(std::int32_t got, const Bytes& want, int len) {
        ASSERT_EQ(got, static_cast<std::int32_t>(want.size()));
        EXPECT_EQ(slice(buffer, 0, want.size()), want);
        EXPECT_EQ(buffer[static_cast<std::size_t>(std::max(len, 0))], kUntouched);
    }

    d88test::ScratchDir dir;
    int files = 0;
    D88Image image;
    Bytes buffer;
};

TEST_F(D88ImageTest, IndexesTheDisksOfAFile) {
    const Bytes small = DiskBuilder().fillTrack(0, 1, 1, 1).build();  // 688 + 272 bytes
    std::vector<Bytes> sixtyFive(65, small);
    std::vector<std::pair<int, std::int32_t>> allAtZero;
    for (int i = 0; i < 64; ++i) {
        allAtZero.push_back({i, 0});
    }
    struct Case {
        const char* what;
        Bytes file;
        std::int32_t count;
        std::vector<std::pair<int, std::int32_t>> starts;  // disk index, file offset
    } cases[] = {
        {"empty file", {}, 0, {}},
        {"687 bytes", cutTo(bareDisk(688), 687), 0, {}},
        {"688 bytes", bareDisk(688), 1, {{0, 0}}},
        {"65 disks", concat(sixtyFive), 64, {{0, 0}, {1, 960}, {63, 63 * 960}}},
        {"first disk size 0", concat({bareDisk(0), small}), 64, allAtZero},
        {"cut inside the last disk's data",
         cutTo(concat({small, small}), 1820),
         2,
         {{0, 0}, {1, 960}}},
        {"cut inside the last disk's header",
         cutTo(concat({small, small}), 960 + 500),
         1,
         {{0, 0}}},
        {"next start at 2^31", bareDisk(0x80000000u), 1, {{0, 0}}},
        {"next start at 2^32",
         concat({bareDisk(688), bareDisk(0xFFFFFFFFu - 687)}),
         2,
         {{0, 0}, {1, 688}}},
    };
    // Sparse files whose second disk stands at the last offset that is indexed, and one past it.
    const struct {
        const char* what;
        std::int64_t secondAt;
        std::int32_t count;
    } far[] = {{"second disk at 2^31 - 1", 0x7FFFFFFF, 2},
               {"second disk at 2^31", 0x80000000LL, 1}};
    for (const auto& c : far) {
        SCOPED_TRACE(c.what);
        const std::string path = dir.file("far.d88");
        d88test::writeSparseFile(
            path, c.secondAt + 688,
            {{0, bareDisk(static_cast<std::uint32_t>(c.secondAt))}, {c.secondAt, bareDisk(688)}});
        D88Image img;
        ASSERT_TRUE(img.open(path.c_str()));
        EXPECT_EQ(img.diskCount(), c.count);
        EXPECT_EQ(img.diskStart(1), c.count == 2 ? 0x7FFFFFFF : -1);
        EXPECT_EQ(img.selectDisk(1), c.count == 2);
    }
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        D88Image img;
        ASSERT_TRUE(img.open(put(c.file).c_str()));
        EXPECT_EQ(img.diskCount(), c.count);
        for (const auto& [index, offset] : c.starts) {
            EXPECT_EQ(img.diskStart(index), offset) << "disk " << index;
        }
        EXPECT_EQ(img.diskStart(c.count), -1);
        EXPECT_FALSE(img.selectDisk(c.count));
        if (c.count > 0) {
            EXPECT_TRUE(img.selectDisk(c.count - 1));
        }
    }
}

TEST_F(D88ImageTest, OpenFailsOnWhatIsNoFileAndNullCloses) {
    std::filesystem::create_directory(d88test::pathOf(dir.file("folder")));
    std::vector<std::pair<std::string, d88::OpenError>> noFiles = {
        {dir.file("folder"), d88::OpenError::NotRegular},
        {dir.file("missing.d88"), d88::OpenError::Missing},
        // A file taken for a folder holds no file.
        {put(bareDisk(688)) + "/inside.d88", d88::OpenError::Missing},
        // Neither a device nor a FIFO may keep the open waiting or the reads going forever.
        {d88test::kDeviceName, d88::OpenError::NotRegular},
    };
    if (d88test::makeFifo(dir.file("fifo"))) {
        noFiles.push_back({dir.file("fifo"), d88::OpenError::NotRegular});
    }
    for (const auto& [path, error] : noFiles) {
        SCOPED_TRACE(path);
        EXPECT_FALSE(image.open(path.c_str()));
        EXPECT_EQ(image.openError(), error);
        EXPECT_EQ(image.diskCount(), 0);
    }

    D88Image fresh;
    EXPECT_TRUE(fresh.open(nullptr));
    EXPECT_EQ(fresh.diskCount(), 0);

    Bytes disk = DiskBuilder().setMedia(0x20).fillTrack(0, 1, 1, 1).build();
    load(image, concat({disk, disk}));
    // A second file drops the selection; one that cannot be opened keeps the
    // disk count of the file before it, but nothing can be selected.
    ASSERT_TRUE(image.open(put(disk).c_str()));
    EXPECT_EQ(image.mediaType(), -1);
    EXPECT_EQ(read(image, 0, 0, 0, 1, 1, 256), 0);
    EXPECT_FALSE(image.open(dir.file("missing.d88").c_str()));
    EXPECT_EQ(image.diskCount(), 1);
    EXPECT_FALSE(image.selectDisk(0));

    load(image, concat({disk, disk}));
    EXPECT_TRUE(image.open(nullptr));
    EXPECT_EQ(image.diskCount(), 0);
    EXPECT_EQ(image.mediaType(), -1);
    EXPECT_FALSE(image.selectDisk(0));
    EXPECT_EQ(read(image, 0, 0, 0, 1, 1, 256), 0);
}

TEST_F(D88ImageTest, SelectionParsesTheHeaderOrLeavesNothingSelected) {
    EXPECT_FALSE(image.selectDisk(0));  // no file open
    EXPECT_EQ(image.mediaType(), -1);
    EXPECT_STREQ(image.diskName(), "");
    EXPECT_EQ(read(image, 0, 0, 0, 1, 1, 256), 0);

    struct Case {
        std::string raw;
        const char* name;
        std::uint8_t media;
    } cases[] = {
        {"ABCDEFGHIJKLMNOPQR", "ABCDEFGHIJKLMNOP", 0x20},  // the byte at 0x10 is no part of it
        {"ABC", "ABC", 0xFF},
        {"", "", 0x00},
        {std::string("AB\0CD", 5), "AB", 0x10},
    };
    std::vector<Bytes> disks;
    for (int i = 0; i < 4; ++i) {
        disks.push_back(DiskBuilder()
                            .setName(cases[i].raw)
                            .setMedia(cases[i].media)
                            .addSector(0, 1, 1, sectorContent(10 + i, 1, 256))
                            .appendTrackBytes(1, Bytes(20000, 0))
                            .build());
    }
    const std::string path = put(concat(disks));
    ASSERT_TRUE(image.open(path.c_str()));
    EXPECT_EQ(image.mediaType(), -1);
    EXPECT_STREQ(image.diskName(), "");
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(cases[i].name);
        ASSERT_TRUE(image.selectDisk(i));
        EXPECT_STREQ(image.diskName(), cases[i].name);
        EXPECT_EQ(image.mediaType(), cases[i].media);
        expectRead(read(image, 0, 0, 0, 1, 1, 256), sectorContent(10 + i, 1, 256), 256);
    }
    for (std::int32_t bad : {-1, image.diskCount()}) {
        SCOPED_TRACE(bad);
        ASSERT_TRUE(image.selectDisk(1));
        EXPECT_FALSE(image.selectDisk(bad));
        EXPECT_STREQ(image.diskName(), "");
        EXPECT_EQ(image.mediaType(), -1);
        EXPECT_EQ(read(image, 0, 0, 0, 1, 1, 256), 0);
        EXPECT_EQ(image.listSectorIds(0, buffer.data(), 4), 0);
    }
    // The file shrinks after indexing: a header that cannot be read whole selects nothing.
    // Disk 0 is selected first, so disk 1's header cannot come from an earlier read.
    ASSERT_TRUE(image.selectDisk(0));
    std::filesystem::resize_file(path, disks[0].size() + 600);
    EXPECT_FALSE(image.selectDisk(1));
    EXPECT_STREQ(image.diskName(), "");
    EXPECT_EQ(image.mediaType(), -1);
}

// A table holds 160 track offsets, in a 672-byte header, only when the lowest
// offset other than 0 among the first 160 is 672, where such a header ends.
TEST(DiskHeaderTest, TrackTableOf160EntriesOnlyWhenTheFirstTrackStartsAt672) {
    const struct {
        std::vector<std::pair<int, std::uint32_t>> offsets;  // entries other than 0
        int entries;
    } cases[] = {
        {{{0, 0x2A0}, {1, 0x3B0}, {160, 0x01010000}, {161, 0x10}}, 160},
        {{{5, 0x2A0}, {159, 0x2B0}}, 160},
        {{{0, 0x2B0}, {1, 0x3C0}}, 164},
        {{{0, 0x2A0}, {1, 0x10}}, 164},  // an offset into the header is lower still
        {{{0, 0x2A1}, {1, 0x2A0 + 0x110}}, 164},
        {{{160, 0x2A0}, {0, 0x400}}, 164},  // entries 160-163 do not count
        {{}, 164},
    };
    for (const auto& c : cases) {
        Bytes bytes(d88::DiskHeader::kSize, 0);
        for (const auto& [track, offset] : c.offsets) {
            for (int i = 0; i < 4; ++i) {
                bytes[0x20 + 4 * static_cast<std::size_t>(track) + static_cast<std::size_t>(i)] =
                    static_cast<std::uint8_t>(offset >> (8 * i));
            }
        }
        const d88::DiskHeader header = d88::DiskHeader::parse(bytes.data());
        EXPECT_EQ(header.trackTableEntries(), c.entries) << c.offsets.size();
        EXPECT_EQ(header.headerSize(), c.entries == 160 ? 672u : 688u);
    }
}

TEST_F(D88ImageTest, ReadsRealImagesMadeByOtherTools) {
    const std::string realData = d88test::realDataDir();
    if (realData.empty()) {
        GTEST_SKIP() << "no real images: set D88CUT_REALDATA to their folder";
    }
    struct Case {
        const char* file;
        const char* name;
        bool interleaved;
    } cases[] = {
        {"HuBASIC_Format_2D.d88", "by_github_ORYZAP", false},
        {"CPM_Format_2D_turboCPM_X1turbo.d88", "", true},
    };
    std::vector<Bytes> raws;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        const Bytes raw = d88mk::readFile(realData + "/" + c.file);
        raws.push_back(raw);
        ASSERT_EQ(raw.size(), 348848u);
        D88Image img;
        ASSERT_TRUE(img.open((realData + "/" + c.file).c_str()));
        EXPECT_EQ(img.diskCount(), 1);
        ASSERT_TRUE(img.selectDisk(0));
        EXPECT_EQ(img.mediaType(), 0);
        EXPECT_STREQ(img.diskName(), c.name);
        std::vector<std::vector<std::size_t>> where(80, std::vector<std::size_t>(17));
        for (int t = 0; t < 80; ++t) {
            SCOPED_TRACE(t);
            Bytes ids(64);
            ASSERT_EQ(img.listSectorIds(t, ids.data(), 64), 64);
            std::vector<int> rs;
            for (int i = 0; i < 16; ++i) {
                EXPECT_EQ(ids[4 * i], t / 2);
                EXPECT_EQ(ids[4 * i + 1], t % 2);
                EXPECT_EQ(ids[4 * i + 3], 1);
                const int r = ids[4 * i + 2];
                ASSERT_TRUE(r >= 1 && r <= 16) << r;
                rs.push_back(r);
                // Every record of these disks is 16 + 256 bytes.
                where[t][r] = u32At(raw, 0x20 + 4 * t) + 272 * i + 16;
            }
            if (t == 79) {
                EXPECT_EQ(std::is_sorted(rs.begin(), rs.end()), !c.interleaved);
            }
            std::sort(rs.begin(), rs.end());
            for (int r = 1; r <= 16; ++r) {
                ASSERT_EQ(rs[r - 1], r);
                Bytes data(300, kUntouched);
                ASSERT_EQ(img.readSector(t, t / 2, t % 2, r, 1, data.data(), 300), 256);
                EXPECT_EQ(slice(data, 0, 256), slice(raw, where[t][r], 256)) << "R" << r;
            }
        }
        Bytes ids(64);
        EXPECT_EQ(img.listSectorIds(80, ids.data(), 64), 0);
        // The range after construction is 1 to 16: R16 of track 0 goes on with R1 of track 1.
        Bytes run(512);
        ASSERT_EQ(img.readSectors(0, 0, 0, 16, 1, run.data(), 512), 512);
        EXPECT_EQ(run, concat({slice(raw, where[0][16], 256), slice(raw, where[1][1], 256)}));
    }
    ASSERT_TRUE(image.open(put(concat(raws)).c_str()));
    EXPECT_EQ(image.diskCount(), 2);
    EXPECT_EQ(image.diskStart(1), 348848);
    ASSERT_TRUE(image.selectDisk(1));
    EXPECT_STREQ(image.diskName(), "");
    // Track 1 of the second disk starts at its own offset in the joined file.
    expectRead(read(image, 1, 0, 1, 1, 1, 256), slice(raws[1], u32At(raws[1], 0x24) + 16, 256),
               256);
    ASSERT_TRUE(image.selectDisk(0));
    EXPECT_STREQ(image.diskName(), "by_github_ORYZAP");
}

// Offsets are 64 bits wide on every system: a disk near 2^31 whose track lies
// past 4 GiB of a sparse file.
TEST_F(D88ImageTest, ReadsTracksPast4GiB) {
    const std::string path = dir.file("far.d88");
    d88test::writeFarImage(path);
    ASSERT_TRUE(image.open(path.c_str()));
    EXPECT_EQ(image.fileSize(), d88test::kFarTrackStart + 272);
    ASSERT_EQ(image.diskCount(), 2);
    EXPECT_EQ(image.diskStart(1), d88test::kFarDiskStart);
    ASSERT_TRUE(image.selectDisk(1));
    EXPECT_STREQ(image.diskName(), "FAR");
    expectRead(read(image, 0, 0, 0, 1, 1, 300), d88test::farSectorBytes(), 300);
    Bytes ids(8, kUntouched);
    EXPECT_EQ(image.listSectorIds(0, ids.data(), 8), 4);
    EXPECT_EQ(ids, (Bytes{0, 0, 1, 1, kUntouched, kUntouched, kUntouched, kUntouched}));
}

TEST_F(D88ImageTest, TrackLookupRefusesBadIndexesAndOffsets) {
    const DiskBuilder lastSlot = DiskBuilder().fillTrack(163, 1, 1, 1);  // C 81, H 1
    auto twoTracks = [] { return DiskBuilder().fillTrack(0, 1, 1, 1).fillTrack(1, 1, 1, 1); };
    const std::uint32_t lastTrack = twoTracks().trackStart(1);
    struct Case {
        const char* what;
        DiskBuilder disk;
        int track, c, h;
        bool found;
    } cases[] = {
        {"index 163", lastSlot, 163, 81, 1, true},
        {"index 164", lastSlot, 164, 81, 1, false},
        {"index -1", lastSlot, -1, 81, 1, false},
        {"offset 0", twoTracks().setTrackOffset(1, 0), 1, 0, 1, false},
        {"offset equal to the disk size", twoTracks().setDiskSize(lastTrack), 1, 0, 1, true},
        {"offset above the disk size", twoTracks().setDiskSize(lastTrack - 1), 1, 0, 1, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        D88Image img;
        load(img, c.disk.build());
        const Bytes want = c.found ? sectorContent(c.track, 1, 256) : Bytes{};
        expectRead(read(img, c.track, c.c, c.h, 1, 1, 256), want, 256);
        Bytes ids(4);
        EXPECT_EQ(img.listSectorIds(c.track, ids.data(), 4), c.found ? 4 : 0);
    }
}

TEST_F(D88ImageTest, RecordWalkFindsTheFirstMatchWithinTheCounts) {
    auto content = [](int track, int r) { return sectorContent(track, r, 256); };
    DiskBuilder disk;
    disk.addRecord(0, rec(1, 1, content(0, 1))).addRecord(0, rec(1, 1, content(0, 99)));
    disk.addRecord(1, rec(1, 1, content(1, 1), 0)).addRecord(1, rec(2, 1, content(1, 2), 2));
    disk.addRecord(2, rec(1, 1, content(2, 1), 1)).addRecord(2, rec(2, 1, content(2, 2), 1));
    for (int r = 1; r <= 3; ++r) {
        disk.addRecord(3, rec(r, 1, content(3, r), r == 2 ? 2 : 3));  // second header ends it
    }
    for (int r = 1; r <= 4; ++r) {
        disk.addRecord(4, rec(r, 1, content(4, r), r == 1 ? 2 : 5));  // later headers widen it
    }
    disk.addRecord(5, rec(1, 1, content(5, 1))).addRecord(5, rec(2, 1, {}));
    disk.addRecord(5, rec(3, 1, content(5, 3)));
    // Tracks longer than 32 KiB, where a header (track 6, R9 at 8 x 4095) or the data of a
    // record (track 7, R11 from 10 x 3016 + 16) lies across a 32,768-byte boundary.
    for (int r = 1; r <= 12; ++r) {
        if (r <= 9) {
            disk.addRecord(6, rec(r, 5, sectorContent(6, r, 4079)));
        }
        disk.addRecord(7, rec(r, 5, sectorContent(7, r, 3000)));
    }
    load(image, disk.build());
    struct Case {
        const char* what;
        int track, c, h, r, n, len;
        Bytes want;
    } cases[] = {
        {"duplicate IDs: first wins", 0, 0, 0, 1, 1, 256, content(0, 1)},
        {"count 0 in the first header", 1, 0, 0, 1, 1, 256, {}},
        {"count 0 ends the walk", 1, 0, 0, 2, 1, 256, {}},
        {"count 1: first record", 2, 0, 0, 1, 1, 256, content(2, 1)},
        {"count 1: nothing after it", 2, 0, 0, 2, 1, 256, {}},
        {"shorter: within", 3, 0, 0, 2, 1, 256, content(3, 2)},
        {"shorter: cut off", 3, 0, 0, 3, 1, 256, {}},
        {"longer than the first count", 4, 0, 0, 4, 1, 256, content(4, 4)},
        {"wrong N", 5, 0, 0, 1, 2, 256, {}},
        {"wrong C", 5, 1, 0, 1, 1, 256, {}},
        {"wrong H", 5, 0, 1, 1, 1, 256, {}},
        {"R 257 is no byte 1", 5, 0, 0, 257, 1, 256, {}},
        {"len 1", 5, 0, 0, 1, 1, 1, slice(content(5, 1), 0, 1)},
        {"len 100", 5, 0, 0, 1, 1, 100, slice(content(5, 1), 0, 100)},
        {"len above the data length", 5, 0, 0, 1, 1, 300, content(5, 1)},
        {"len 0", 5, 0, 0, 1, 1, 0, {}},
        {"negative len", 5, 0, 0, 1, 1, -1, {}},
        {"zero data length", 5, 0, 0, 2, 1, 256, {}},
        {"after a zero-length record", 5, 0, 0, 3, 1, 256, content(5, 3)},
        {"data up to a header across 32 KiB", 6, 0, 0, 8, 5, 4096, sectorContent(6, 8, 4079)},
        {"header across 32 KiB", 6, 0, 0, 9, 5, 4096, sectorContent(6, 9, 4079)},
        {"data across 32 KiB", 7, 0, 0, 11, 5, 4096, sectorContent(7, 11, 3000)},
        {"after the data across 32 KiB", 7, 0, 0, 12, 5, 3000, sectorContent(7, 12, 3000)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        expectRead(read(image, c.track, c.c, c.h, c.r, c.n, c.len), c.want, c.len);
    }
}

TEST_F(D88ImageTest, RecordWalkStopsAtTheEndOfTheFile) {
    const Bytes data = sectorContent(0, 1, 256);
    const Bytes twoRecords = DiskBuilder()
                                 .addRecord(0, rec(1, 1, data, 2))
                                 .appendTrackBytes(0, {0, 0, 2, 1, 2, 0, 0, 0})
                                 .build();
    const Bytes oneRecord = DiskBuilder().addRecord(0, rec(1, 1, data)).build();
    const Bytes big = sectorContent(0, 1, 40000);
    const Bytes bigRecord = DiskBuilder().addRecord(0, rec(1, 1, big)).build();
    struct Case {
        const char* what;
        Bytes file;
        int r, len;
        Bytes want;
    } cases[] = {
        {"inside a header", twoRecords, 2, 256, {}},
        {"inside the data", cutTo(oneRecord, 688 + 16 + 100), 1, 256, slice(data, 0, 100)},
        {"inside the data, fewer asked", cutTo(oneRecord, 688 + 16 + 100), 1, 50,
         slice(data, 0, 50)},
        {"data wholly past the end", cutTo(oneRecord, 688 + 16), 1, 1, {}},
        {"inside the data, past 32 KiB", cutTo(bigRecord, 688 + 16 + 39000), 1, 40000,
         slice(big, 0, 39000)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        D88Image img;
        load(img, c.file);
        expectRead(read(img, 0, 0, 0, c.r, 1, c.len), c.want, c.len);
        Bytes ids(64, kUntouched);
        EXPECT_EQ(img.listSectorIds(0, ids.data(), 64), 4);
        EXPECT_EQ(slice(ids, 0, 5), (Bytes{0, 0, 1, 1, kUntouched}));
    }
}

TEST_F(D88ImageTest, RunsGoOnAcrossTracksWithinTheRange) {
    DiskBuilder disk;
    for (int t = 3; t <= 7; ++t) {
        disk.fillTrack(t, 0, 4, 3);
    }
    disk.fillTrack(6, 5, 6, 3);  // above the range
    disk.fillTrack(8, 0, 1, 3);  // R2 missing
    disk.fillTrack(9, 0, 1, 3).addSector(9, 2, 3, sectorContent(9, 2, 500));
    disk.fillTrack(10, 0, 0, 3).addSector(10, 1, 3, sectorContent(10, 1, 1000));
    disk.fillTrack(10, 2, 2, 3);
    disk.addSector(11, 0, 0, sectorContent(11, 0, 128))
        .addSector(11, 1, 23, sectorContent(11, 1, 16));
    disk.addSector(11, 2, 24, sectorContent(11, 2, 16));
    disk.fillTrack(12, 0, 1, 3);  // the file is cut inside R1
    const Bytes built = disk.build();
    load(image, cutTo(built, built.size() - 24));
    image.setSectorRange(0, 4);

    auto s = [](int track, int r, std::size_t size = 1024) {
        return sectorContent(track, r, size);
    };
    struct Case {
        const char* what;
        int track, c, h, r, n, len;
        Bytes want;
    } cases[] = {
        {"3072 from track 3 C1 H1 R4", 3, 1, 1, 4, 3, 3072, concat({s(3, 4), s(4, 0), s(4, 1)})},
        {"2048 from track 5 C2 H1 R2", 5, 2, 1, 2, 3, 2048, concat({s(5, 2), s(5, 3)})},
        {"head 0 -> head 1, same cylinder", 4, 2, 0, 4, 3, 2048, concat({s(4, 4), s(5, 0)})},
        {"head 1 -> head 0, next cylinder", 5, 2, 1, 4, 3, 2048, concat({s(5, 4), s(6, 0)})},
        {"2500 in 1024+1024+452", 4, 2, 0, 0, 3, 2500, concat({s(4, 0), s(4, 1), s(4, 2, 452)})},
        {"2500, third missing", 8, 4, 0, 0, 3, 2500, concat({s(8, 0), s(8, 1)})},
        {"last piece from a short sector", 9, 4, 1, 0, 3, 2500,
         concat({s(9, 0), s(9, 1), s(9, 2, 452)})},
        {"short sector in the middle", 10, 5, 0, 0, 3, 3072, s(10, 0)},
        {"truncated sector in the middle", 12, 6, 0, 0, 3, 3072, s(12, 0)},
        {"above the range stays on the track", 6, 3, 0, 5, 3, 4096, concat({s(6, 5), s(6, 6)})},
        {"first sector missing", 3, 1, 1, 7, 3, 1024, {}},
        {"len 0", 3, 1, 1, 0, 3, 0, {}},
        {"negative len", 3, 1, 1, 0, 3, -1024, {}},
        {"n 0", 11, 5, 1, 0, 0, 128, s(11, 0, 128)},
        {"n 23", 11, 5, 1, 1, 23, 16, s(11, 1, 16)},
        {"n 24", 11, 5, 1, 2, 24, 16, {}},
        {"n -1", 3, 1, 1, 4, -1, 1024, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        buffer.assign(static_cast<std::size_t>(std::max(c.len, 0)) + 16, kUntouched);
        const std::int32_t got =
            image.readSectors(c.track, c.c, c.h, c.r, c.n, buffer.data(), c.len);
        ASSERT_EQ(got, static_cast<std::int32_t>(c.want.size()));
        EXPECT_EQ(slice(buffer, 0, c.want.size()), c.want);
        EXPECT_EQ(buffer[std::max(c.len, 0)], kUntouched);
    }
}

TEST_F(D88ImageTest, ListsSectorIdsUpToTheCountOrTheBuffer) {
    DiskBuilder disk;
    disk.addRecord(0, rec(1, 1, sectorContent(0, 1, 256), 0)).addRecord(0, rec(2, 2, {}, 0));
    disk.addRecord(0, rec(3, 3, sectorContent(0, 3, 100), 3)).addRecord(0, rec(4, 1, {}, 3));
    disk.fillTrack(1, 1, 3, 1);
    load(image, disk.build());
    const Bytes zeroCounts{0, 0, 1, 1, 0, 0, 2, 2, 0, 0, 3, 3};
    struct Case {
        const char* what;
        int track, len;
        Bytes want;
    } cases[] = {
        {"count 0 goes on; stops at count - 1", 0, 64, zeroCounts},
        {"len 5: one entry", 0, 5, slice(zeroCounts, 0, 4)},
        {"len 11: two entries", 0, 11, slice(zeroCounts, 0, 8)},
        {"len 0", 0, 0, {}},
        {"negative len", 0, -4, {}},
        {"a whole track", 1, 64, {0, 1, 1, 1, 0, 1, 2, 1, 0, 1, 3, 1}},
        {"absent track", 2, 64, {}},
        {"index 164", 164, 64, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        buffer.assign(80, kUntouched);
        ASSERT_EQ(image.listSectorIds(c.track, buffer.data(), c.len),
                  static_cast<std::int32_t>(c.want.size()));
        EXPECT_EQ(slice(buffer, 0, c.want.size()), c.want);
        EXPECT_EQ(buffer[c.want.size()], kUntouched);
    }
}

}  // namespace

namespace {

d88::TrackRecord recordWithR(int r, std::int64_t dataOffset) {
    d88::TrackRecord record;
    record.header = {};
    record.header.r = static_cast<std::uint8_t>(r);
    record.header.n = 1;
    record.dataOffset = dataOffset;
    return record;
}

}  // namespace

// A remembered walk keeps the first record of each of up to 64 IDs and
// refuses the 65th; the memory refills the slot used longest ago, which
// forgets its old track as it is refilled.
TEST(TrackIdCacheTest, KeepsUpTo64IdsAndRefillsTheSlotUsedLongestAgo) {
    d88::TrackIdIndex walk;
    for (int r = 0; r < d88::TrackIdIndex::kMaxIds; ++r) {
        ASSERT_TRUE(walk.add(recordWithR(r, 1000 + r)));
    }
    EXPECT_TRUE(walk.add(recordWithR(5, 9999)));  // an ID already kept: no room needed
    EXPECT_FALSE(walk.add(recordWithR(64, 2064)));
    d88::TrackRecord found;
    ASSERT_TRUE(walk.find(0, 0, 5, 1, found));
    EXPECT_EQ(found.dataOffset, 1005);
    ASSERT_TRUE(walk.find(0, 0, 63, 1, found));
    EXPECT_EQ(found.dataOffset, 1063);
    EXPECT_FALSE(walk.find(0, 0, 64, 1, found));

    // Tracks 1-4 fill the slots; 1 is used again, so 2 is the one refilled.
    const struct {
        const char* what;
        std::vector<int> used;       // tracks found again before the fifth is walked
        bool keepFifth;              // the fifth walk is kept, not abandoned
        std::vector<int> forgotten;  // tracks no longer found after it
    } cases[] = {
        {"longest ago", {}, true, {1}},
        {"used again", {1}, true, {2}},
        {"used again twice", {1, 2}, true, {3}},
        {"abandoned walk", {1}, false, {2}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        d88::TrackIdCache memory;
        memory.clear();
        for (int track = 1; track <= 4; ++track) {
            memory.prepare().add(recordWithR(track, track));
            memory.keep(track * 100);
        }
        for (int track : c.used) {
            ASSERT_NE(memory.find(track * 100), nullptr);
        }
        d88::TrackIdIndex& fifth = memory.prepare();
        fifth.add(recordWithR(5, 5));
        if (c.keepFifth) {
            memory.keep(500);
        }
        for (int track = 1; track <= 5; ++track) {
            const bool gone = track == 5 ? !c.keepFifth
                                         : std::find(c.forgotten.begin(), c.forgotten.end(),
                                                     track) != c.forgotten.end();
            const d88::TrackIdIndex* known = memory.find(track * 100);
            EXPECT_EQ(known == nullptr, gone) << "track " << track;
            if (known != nullptr) {
                // The walk of that track, not of the one walked after it.
                EXPECT_TRUE(known->find(0, 0, track, 1, found)) << "track " << track;
            }
        }
    }
}

// A second file opened on the same reader is read afresh: none of the first
// file's bytes, walks, selection, size or identity outlasts it, whether the
// second file opens or not, and however the first was closed.
TEST_F(D88ImageTest, SecondOpenKeepsNothingOfTheFirstFile) {
    const auto diskOf = [](std::uint8_t fill) {
        return DiskBuilder().addSector(0, 1, 1, Bytes(256, fill)).build();
    };
    const std::string first = put(concat({diskOf(0x11), diskOf(0x11)}));
    const std::string second = put(diskOf(0x22));
    const std::int64_t secondSize = static_cast<std::int64_t>(diskOf(0x22).size());
    for (const bool closedBetween : {false, true}) {
        SCOPED_TRACE(closedBetween ? "closed between" : "opened over");
        D88Image img;
        ASSERT_TRUE(img.open(first.c_str()));
        ASSERT_TRUE(img.selectDisk(0));
        expectRead(read(img, 0, 0, 0, 1, 1, 256), Bytes(256, 0x11), 256);
        const d88::FileIdentity firstIdentity = img.imageIdentity();
        if (closedBetween) {
            ASSERT_TRUE(img.open(nullptr));
            EXPECT_EQ(img.fileSize(), 0);
            EXPECT_EQ(img.imageIdentity(), d88::FileIdentity{});
        }
        ASSERT_TRUE(img.open(second.c_str()));
        EXPECT_EQ(img.fileSize(), secondSize);
        EXPECT_FALSE(img.imageIdentity() == firstIdentity);
        // Nothing is selected until a disk of the new file is.
        EXPECT_EQ(read(img, 0, 0, 0, 1, 1, 256), 0);
        ASSERT_TRUE(img.selectDisk(0));
        expectRead(read(img, 0, 0, 0, 1, 1, 256), Bytes(256, 0x22), 256);
        EXPECT_FALSE(img.open(dir.file("missing.d88").c_str()));
        EXPECT_EQ(img.fileSize(), 0);
        EXPECT_EQ(img.imageIdentity(), d88::FileIdentity{});
    }
}

// A second file whose tracks lie at the same offsets as the first one's but
// hold other sector IDs is found by its own IDs: none of the IDs met on the
// first file's tracks answers a read of the second.
TEST_F(D88ImageTest, SecondOpenFindsTheSecondFilesIds) {
    const auto diskOf = [](int r) {
        return DiskBuilder().addSector(0, r, 1, Bytes(256, static_cast<std::uint8_t>(r))).build();
    };
    const std::string first = put(diskOf(1));
    const std::string second = put(diskOf(2));
    D88Image img;
    load(img, d88mk::readFile(first));
    expectRead(read(img, 0, 0, 0, 1, 1, 256), Bytes(256, 1), 256);
    ASSERT_TRUE(img.open(second.c_str()));
    ASSERT_TRUE(img.selectDisk(0));
    EXPECT_EQ(read(img, 0, 0, 0, 1, 1, 256), 0);
    expectRead(read(img, 0, 0, 0, 2, 1, 256), Bytes(256, 2), 256);
}

// Two files are the same only on the same volume (device) with the same index (inode).
TEST(FileIdentityTest, SameVolumeAndIndex) {
    const d88::FileIdentity one{1, 5};
    EXPECT_TRUE(one == (d88::FileIdentity{1, 5}));
    EXPECT_FALSE(one == (d88::FileIdentity{2, 5}));
    EXPECT_FALSE(one == (d88::FileIdentity{1, 6}));
}

namespace {

// Everything the reader gives of an image: its disks, each one's header, and
// each track's records with their data.
std::vector<std::string> everythingRead(D88Image& img) {
    std::vector<std::string> seen = {"disks " + std::to_string(img.diskCount()) + " of " +
                                     std::to_string(img.fileSize())};
    for (int disk = 0; disk < img.diskCount(); ++disk) {
        const bool selected = img.selectDisk(disk);
        seen.push_back("disk " + std::to_string(img.diskStart(disk)) +
                       (selected ? " " : " unread ") + img.diskName() + " " +
                       std::to_string(img.diskHeader().diskSize));
        for (int track = 0; selected && track < D88Image::kTrackCount; ++track) {
            d88::RecordWalk walk = img.walkTrack(track, d88::WalkRule::Listing);
            for (d88::TrackRecord record; walk.next(record);) {
                Bytes data(record.header.dataLength);
                const std::int32_t got =
                    img.readRecordData(record, data.data(), static_cast<std::int32_t>(data.size()));
                seen.push_back(std::to_string(track) + ":" + std::to_string(record.header.r) + " " +
                               std::to_string(got) + " " +
                               std::string(data.begin(), data.begin() + got));
            }
            seen.push_back("end " + std::to_string(static_cast<int>(walk.end())));
        }
    }
    return seen;
}

}  // namespace

// An image held in memory reads as the same bytes in a file do, damaged and
// cut short ones too; its identity is no file's.
TEST_F(D88ImageTest, BytesInMemoryReadAsTheFile) {
    Bytes cutShort = d88mk::setDisk(d88mk::SetDisk::ProgramDisk, 20).build();
    cutShort.resize(cutShort.size() - 700);
    Bytes hugeDiskSize = d88mk::setDisk(d88mk::SetDisk::DemoDisk1, 8).build();
    hugeDiskSize.insert(hugeDiskSize.end(), {1, 2, 3});
    const std::vector<Bytes> images = {Bytes(), Bytes(100, 7), cutShort, hugeDiskSize,
                                       bareDisk(0x7FFFFFFF)};
    for (const Bytes& bytes : images) {
        D88Image fromFile;
        ASSERT_TRUE(fromFile.open(put(bytes).c_str()));
        D88Image fromMemory;
        fromMemory.openBytes(bytes.data(), static_cast<std::int64_t>(bytes.size()));
        EXPECT_EQ(everythingRead(fromMemory), everythingRead(fromFile));
        EXPECT_EQ(fromMemory.imageIdentity(), d88::FileIdentity{});
    }
}
