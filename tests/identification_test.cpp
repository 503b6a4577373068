// Recognising the disks of the set from the probe sectors on track index 1,
// with and without a disk number, checked on what the tool prints.
#include "diskset/Identification.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "ImageBuilder.h"
#include "ToolRun.h"

namespace {

using d88mk::Bytes;
using d88mk::bytesWithSum;
using d88mk::Record;
using d88mk::SetDisk;
using d88test::cp932;
using d88test::noDiskOfTheSet;
using d88test::noneCut;

std::string unsupported() {
    return cp932("未対応の形式です.\n");
}

// What standard output shows for a recognised disk: its recognition message,
// and for the two disks with nothing to cut the no-data message after it.
std::string says(const std::string& name) {
    std::string out = cp932(name + " を認識しました.\n");
    if (name == "Data Disk 1" || name == "Data Disk 2") {
        out += cp932("このディスクには切り出すデータはありません.\n");
    }
    return out;
}

// A record on track index 1; C 0 and H 1 unless told otherwise.
Record probe(int r, int n, Bytes data, int c = 0, int h = 1) {
    return d88mk::makeRecord(c, h, r, n, std::move(data));
}

Bytes filled(std::uint8_t value, std::size_t size = 1024) {
    return Bytes(size, value);
}

// A disk whose track index 1 holds `records`; with none, the disk has track 0
// only, and no track index 1 at all.
Bytes probeDisk(const std::vector<Record>& records) {
    d88mk::DiskBuilder builder;
    builder.fillTrack(0, 1, 16, 1);
    for (const Record& record : records) {
        builder.addRecord(1, record);
    }
    return builder.build();
}

struct Outcome {
    d88test::ToolResult result;
    std::vector<std::string> entries;
};

Outcome runImage(const Bytes& image, std::vector<std::string> args = {}) {
    d88test::ScratchDir dir;
    d88mk::writeFile(dir.file("disk.d88"), image);
    args.insert(args.begin(), "disk.d88");
    Outcome run{d88test::runTool(D88CUT_PATH, args, dir.path()), {}};
    run.entries = dir.entries();
    return run;
}

const std::vector<std::string> kOnlyImage = {"disk.d88"};

TEST(Identification, SectorSumOfFirst256Bytes) {
    Bytes zerosThenFF(512, 0);
    std::fill(zerosThenFF.begin() + 256, zerosThenFF.end(), 0xFF);
    EXPECT_EQ(d88cut::sectorSum(Bytes(256, 0).data()), 0);
    EXPECT_EQ(d88cut::sectorSum(Bytes(256, 0xFF).data()), 65280);
    EXPECT_EQ(d88cut::sectorSum(zerosThenFF.data()), 0);
    EXPECT_EQ(d88cut::sectorSum(bytesWithSum(27152, 1024).data()), 27152);
}

TEST(Identification, EachKindOfTheSetWithoutDiskNumber) {
    const struct {
        SetDisk disk;
        const char* name;
        bool cuts;  // Data Disk 1 and 2 have nothing to cut
    } cases[] = {
        {SetDisk::OpeningDisk, "Opening Disk", true}, {SetDisk::ProgramDisk, "Program Disk", true},
        {SetDisk::DemoDisk1, "Demo Disk 1", true},    {SetDisk::DataDisk1, "Data Disk 1", false},
        {SetDisk::DemoDisk2, "Demo Disk 2", true},    {SetDisk::DataDisk2, "Data Disk 2", false},
        {SetDisk::DataDisk3, "Data Disk 3", true},    {SetDisk::VisualDisk, "Visual Disk", true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Outcome run = runImage(d88mk::setDisk(c.disk).build());
        EXPECT_EQ(run.result.exitStatus, 0);
        EXPECT_EQ(run.result.err, "");
        const std::string message = says(c.name);
        if (c.cuts) {
            EXPECT_EQ(run.result.out.substr(0, message.size()), message);
            EXPECT_GT(run.entries.size(), 1u);
        } else {
            EXPECT_EQ(run.result.out, message);
            EXPECT_EQ(run.entries, kOnlyImage);
        }
    }
}

// Probe sectors that are there, absent, or there with a sum of no disk.
TEST(Identification, ProbeSectorsWithoutDiskNumber) {
    const Bytes ff = filled(0xFF);
    const Bytes none;
    const std::string silent;
    // clang-format off
    const struct {
        const char* what;
        std::string out;
        std::string err;
        std::vector<Record> records;
    } cases[] = {
        {"unknown R1 sum, every other probe there", silent, noDiskOfTheSet(),
         {probe(1, 1, bytesWithSum(12345)), probe(16, 3, ff), probe(32, 3, ff), probe(48, 3, ff),
          probe(80, 3, ff)}},
        {"unknown R16 sum, later probes there", silent, noDiskOfTheSet(),
         {probe(16, 3, bytesWithSum(1000, 1024)), probe(32, 3, ff), probe(80, 3, ff)}},
        {"R32 and R48", says("Data Disk 2"), silent, {probe(32, 3, ff), probe(48, 3, ff)}},
        {"R1 with N 3, R16 with N 2", says("Data Disk 3"), noneCut("Data Disk 3"),
         {probe(1, 3, bytesWithSum(30971, 1024)), probe(16, 2, filled(0xFF, 512)),
          probe(48, 3, ff)}},
        {"R1 under C 0 H 0", says("Visual Disk"), noneCut("Visual Disk"),
         {probe(1, 1, bytesWithSum(30971), 0, 0), probe(80, 3, ff)}},
        {"zero data length on R1, R16, R32", says("Visual Disk"), noneCut("Visual Disk"),
         {probe(1, 1, none), probe(16, 3, none), probe(32, 3, none), probe(80, 3, ff)}},
        {"zero data length on every probe", silent, unsupported() + noDiskOfTheSet(),
         {probe(1, 1, none), probe(16, 3, none), probe(32, 3, none), probe(48, 3, none),
          probe(80, 3, none)}},
        {"no probe sector", silent, unsupported() + noDiskOfTheSet(),
         {probe(2, 1, filled(1, 256)), probe(17, 3, ff), probe(33, 3, ff), probe(81, 3, ff),
          probe(80, 1, filled(1, 256))}},
        {"no track index 1", silent, unsupported() + noDiskOfTheSet(), {}}};
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const Outcome run = runImage(probeDisk(c.records));
        EXPECT_EQ(run.result.exitStatus, 0);
        EXPECT_EQ(run.result.out, c.out);
        EXPECT_EQ(run.result.err, c.err);
        EXPECT_EQ(run.entries, kOnlyImage);
    }
}

// A number picks the stage of its kind; within stages 1 and 2 a sum of an
// earlier kind still wins, and the sum covers what the reads left in place.
TEST(Identification, DiskNumberSteersTheStage) {
    const Bytes ff = filled(0xFF);
    const Bytes blank = probeDisk({});
    const Bytes opening = probeDisk({probe(1, 1, bytesWithSum(30971))});
    const Bytes program = probeDisk({probe(1, 1, bytesWithSum(26825))});
    const Bytes demo1 = probeDisk({probe(1, 1, bytesWithSum(27152))});
    const Bytes r1Data1 = probeDisk({probe(1, 1, bytesWithSum(53747))});
    const Bytes data1 = probeDisk({probe(16, 3, bytesWithSum(53747, 1024))});
    const Bytes demo2 = probeDisk({probe(16, 3, ff)});
    const Bytes r32 = probeDisk({probe(32, 3, ff)});
    const Bytes all = probeDisk({probe(1, 1, bytesWithSum(30971)), probe(16, 3, ff),
                                 probe(32, 3, ff), probe(48, 3, ff), probe(80, 3, ff)});
    const struct {
        const Bytes& image;
        const char* diskNo;
        const char* name;
    } cases[] = {{blank, "1", "Opening Disk"},   {blank, "2", "Program Disk"},
                 {blank, "3", "Data Disk 1"},    {blank, "4", "Data Disk 2"},
                 {blank, "5", "Data Disk 3"},    {blank, "6", "Visual Disk"},
                 {blank, "7", "Demo Disk 1"},    {blank, "8", "Demo Disk 2"},
                 {opening, "2", "Opening Disk"}, {opening, "7", "Opening Disk"},
                 {program, "7", "Program Disk"}, {program, "1", "Opening Disk"},
                 {demo1, "2", "Program Disk"},   {demo2, "1", "Opening Disk"},
                 {r1Data1, "8", "Data Disk 1"},  {data1, "8", "Data Disk 1"},
                 {demo2, "3", "Data Disk 1"},    {all, "3", "Data Disk 1"},
                 {all, "4", "Data Disk 2"},      {all, "5", "Data Disk 3"},
                 {all, "6", "Visual Disk"},      {r32, "5", "Data Disk 3"},
                 {r32, "6", "Visual Disk"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string("disk number ") + c.diskNo + ", expecting " + c.name);
        const Outcome run = runImage(c.image, {c.diskNo});
        EXPECT_EQ(run.result.exitStatus, 0);
        EXPECT_EQ(run.result.out, says(c.name));
        // The probe disks hold no run of any kind.
        EXPECT_EQ(run.result.err, noneCut(c.name));
        EXPECT_EQ(run.entries, kOnlyImage);
    }
}

// Every read up to the chosen stage is made, and each lands at the start of
// the buffer: R1 at most 256 bytes, R16 1,024, R32, R48 and R80 one byte.
// Disk 0 has all five probes (R1 recorded with 1,024 bytes), disk 1 only R16
// and R32, so R32's byte stays when the later probes fail.
TEST(Identification, GivenNumberMakesEveryEarlierRead) {
    d88test::ScratchDir dir;
    d88mk::writeFile(
        dir.file("disk.d88"),
        d88mk::concat({probeDisk({probe(1, 1, filled(0x01)), probe(16, 3, filled(0x16)),
                                  probe(32, 3, filled(0x32)), probe(48, 3, filled(0x48)),
                                  probe(80, 3, filled(0x80))}),
                       probeDisk({probe(16, 3, filled(0x16)), probe(32, 3, filled(0x32))})}));
    d88::D88Image image;
    ASSERT_TRUE(image.open(dir.file("disk.d88").c_str()));
    using d88cut::DiskKind;
    const struct {
        int disk;
        int diskNo;
        DiskKind kind;
        std::uint8_t at0, at1, at1023;
    } cases[] = {{0, 1, DiskKind::OpeningDisk, 0x01, 0x01, 0x00},
                 {0, 3, DiskKind::DataDisk1, 0x16, 0x16, 0x16},
                 {0, 8, DiskKind::DemoDisk2, 0x16, 0x16, 0x16},
                 {0, 4, DiskKind::DataDisk2, 0x32, 0x16, 0x16},
                 {0, 5, DiskKind::DataDisk3, 0x48, 0x16, 0x16},
                 {0, 6, DiskKind::VisualDisk, 0x80, 0x16, 0x16},
                 {1, 5, DiskKind::DataDisk3, 0x32, 0x16, 0x16},
                 {1, 6, DiskKind::VisualDisk, 0x32, 0x16, 0x16}};
    for (const auto& c : cases) {
        SCOPED_TRACE("disk " + std::to_string(c.disk) + ", number " + std::to_string(c.diskNo));
        ASSERT_TRUE(image.selectDisk(c.disk));
        Bytes buffer(1024, 0);
        const d88cut::Identification result = d88cut::identify(image, buffer.data(), c.diskNo);
        EXPECT_EQ(result.verdict, d88cut::Verdict::Recognised);
        EXPECT_EQ(result.kind, c.kind);
        EXPECT_EQ(buffer[0], c.at0);
        EXPECT_EQ(buffer[1], c.at1);
        EXPECT_EQ(buffer[1023], c.at1023);
    }
}

// Every disk of a file in order without a number, only the first with one.
// The second disk's R1 holds 128 bytes summing to 30971: it is the Opening
// Disk only if the buffer was cleared of the first disk's R16.
TEST(Identification, DisksOfOneFile) {
    Bytes shortBoot(128, 242);
    std::fill(shortBoot.begin(), shortBoot.begin() + 5, 241);
    const Bytes image = d88mk::concat({probeDisk({probe(16, 3, bytesWithSum(53747, 1024))}),
                                       probeDisk({probe(1, 1, shortBoot)}), probeDisk({}),
                                       probeDisk({probe(80, 3, filled(0xFF))})});
    const std::string all = says("Data Disk 1") + says("Opening Disk") + says("Visual Disk");
    const struct {
        std::vector<std::string> args;
        std::string out;
        std::string err;
    } cases[] = {
        {{}, all, noneCut("Opening Disk") + unsupported() + noneCut("Visual Disk")},
        {{"-op"}, all, noneCut("Opening Disk", true) + unsupported() + noneCut("Visual Disk")},
        {{"6"}, says("Visual Disk"), noneCut("Visual Disk")},
        {{"1"}, says("Opening Disk"), noneCut("Opening Disk")}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.empty() ? "no argument" : c.args[0]);
        const Outcome run = runImage(image, c.args);
        EXPECT_EQ(run.result.exitStatus, 0);
        EXPECT_EQ(run.result.out, c.out);
        EXPECT_EQ(run.result.err, c.err);
    }
}

}  // namespace
