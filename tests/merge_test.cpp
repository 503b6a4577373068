// d88merge run as a user runs it, on dumps made with the builder: the merged
// image held to the undamaged disk through what d88cut cuts from it, the
// report held to d88info --files on the merge, and the output's safety.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "ImageBuilder.h"
#include "ImageRecipes.h"
#include "JsonCheck.h"
#include "ToolRun.h"
#include "cutter/OwnWindow.h"
#include "merge/DiskGrouping.h"
#include "merge/DroppedMerge.h"
#include "merge/ReportLines.h"

namespace {

using d88cut::DiskKind;
using d88merge::JoinedBy;
using d88mk::Bytes;
using d88mk::SetDisk;
using d88test::JsonValue;
using d88test::ToolResult;
using Names = std::vector<std::string>;

// The dumps written as dump1.d88, dump2.d88... in `dir`; their names.
Names writeDumps(const d88test::ScratchDir& dir, const std::vector<Bytes>& dumps) {
    Names names;
    for (std::size_t i = 0; i < dumps.size(); ++i) {
        names.push_back("dump" + std::to_string(i + 1) + ".d88");
        d88mk::writeFile(dir.file(names.back()), dumps[i]);
    }
    return names;
}

ToolResult merge(const d88test::ScratchDir& dir, Names args, d88test::RunOptions options = {}) {
    args.insert(args.begin(), {"--lang", "en"});
    // Merging whole sets of eight disks takes seconds under Wine on a busy
    // machine: only a run that hangs should time out.
    options.timeoutSeconds = std::max(options.timeoutSeconds, 120);
    return d88test::runTool(D88MERGE_PATH, args, dir.path(), options);
}

// Every file d88cut cuts from `image`, by name.
std::map<std::string, Bytes> cutFiles(const Bytes& image) {
    d88test::ScratchDir dir;
    d88mk::writeFile(dir.file("image.d88"), image);
    const ToolResult cut = d88test::runTool(D88CUT_PATH, {"image.d88", "-op"}, dir.path());
    EXPECT_EQ(cut.exitStatus, 0) << cut.err;
    std::map<std::string, Bytes> files;
    for (const std::string& name : dir.entries()) {
        if (name != "image.d88") {
            files[name] = d88mk::readFile(dir.file(name));
        }
    }
    return files;
}

JsonValue parsed(const std::string& text) {
    JsonValue value;
    std::string error;
    EXPECT_TRUE(d88test::parseJson(text, value, error)) << error << "\n" << text;
    return value;
}

bool contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

// Dumps of one disk merged: what d88cut cuts from the merge is what it cuts
// from the undamaged disk, the records are counted as the damage says, and
// the exit status says whether anything is still not whole.
TEST(MergeTest, MergedDumpsCutAsTheCleanDisk) {
    struct Case {
        const char* name;
        d88mk::DiskDumps made;
        int status;
        int repaired, conflicts, voted, damaged;
        std::vector<std::string> reportLines;  // lines the report must hold
    };
    const Case cases[] = {
        {"damaged elsewhere in each of three",
         d88mk::repairableDumps(SetDisk::ProgramDisk),
         0,
         // Track 5 (5 records), track 6 R2 and R3, track 4 R1 and R2.
         5 + 2 + 2,
         0,
         0,
         0,
         {"disk 0: Program Disk, 3 dumps: dump1.d88 disk 0, dump2.d88 disk 0, dump3.d88 disk 0"}},
        {"two good copies that differ",
         d88mk::conflictingDumps(SetDisk::ProgramDisk),
         2,
         0,
         1,
         0,
         0,
         {"  conflict: track 4 C2 H0 R1 N3: taken from dump1.d88, dump3.d88; dump2.d88 differs",
          "  read again: track 4 (C2 H0)"}},
        {"bad in all three, voted",
         d88mk::votingDumps(SetDisk::ProgramDisk),
         2,
         0,
         0,
         1,
         0,
         {"  voted: track 4 C2 H0 R2 N3 (data CRC error kept)"}},
        {"an ID twice on a track",
         d88mk::duplicateIdDumps(SetDisk::ProgramDisk),
         2,
         0,
         0,
         0,
         0,
         {"  ambiguous: track 6 holds an ID twice; taken whole from dump1.d88"}},
    };
    const std::map<std::string, Bytes> clean = cutFiles(cases[0].made.clean);
    ASSERT_FALSE(clean.empty());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        d88test::ScratchDir dir;
        Names args = writeDumps(dir, c.made.dumps);
        args.insert(args.begin(), {"-o", "merged.d88", "--json"});
        const ToolResult run = merge(dir, args);
        EXPECT_EQ(run.exitStatus, c.status) << run.err;
        const JsonValue report = parsed(run.out);
        ASSERT_EQ(report["disks"].items.size(), 1u);
        const JsonValue& records = report["disks"].items[0]["records"];
        EXPECT_EQ(records["repaired"].integer(), c.repaired);
        EXPECT_EQ(records["conflicts"].integer(), c.conflicts);
        EXPECT_EQ(records["voted"].integer(), c.voted);
        EXPECT_EQ(records["damaged"].integer(), c.damaged);
        EXPECT_EQ(report["status"].integer(), c.status);
        const Bytes merged = d88mk::readFile(dir.file("merged.d88"));
        EXPECT_EQ(cutFiles(merged), clean);

        // The text report says the same, and d88info --files on the merge
        // agrees with it file by file.
        const ToolResult text = merge(dir, writeDumps(dir, c.made.dumps));
        EXPECT_EQ(text.exitStatus, c.status);
        for (const std::string& line : c.reportLines) {
            EXPECT_TRUE(contains(text.out, line + "\n")) << line << "\n" << text.out;
        }
        const ToolResult info =
            d88test::runTool(D88INFO_PATH, {"--files", "--json", "merged.d88"}, dir.path());
        const JsonValue listed = parsed(info.out);
        const std::vector<JsonValue>& infoFiles = listed["disks"].items[0]["files"].items;
        const std::vector<JsonValue>& ourFiles = report["disks"].items[0]["files"].items;
        ASSERT_EQ(infoFiles.size(), ourFiles.size());
        for (std::size_t i = 0; i < ourFiles.size(); ++i) {
            EXPECT_EQ(ourFiles[i]["name"].text, infoFiles[i]["name"].text);
            EXPECT_EQ(ourFiles[i]["merged"]["state"].text, infoFiles[i]["written"].text);
        }
    }
}

// What the report says of each file: made whole, and how each dump held it.
TEST(MergeTest, ReportNamesWhatTheMergeDidForEachFile) {
    d88test::ScratchDir dir;
    const ToolResult run =
        merge(dir, writeDumps(dir, d88mk::repairableDumps(SetDisk::ProgramDisk).dumps));
    EXPECT_EQ(run.exitStatus, 0);
    // Some file was damaged in the first dump, cut short in the second (by
    // the missing track) and missing a data mark in the third.
    EXPECT_TRUE(contains(run.out, ": whole now; damaged in dump1.d88 (C2 H0 R1 N3 data CRC error)"))
        << run.out;
    EXPECT_TRUE(contains(run.out, "cut short in dump2.d88 (at C2 H1 R2 N3, not there)")) << run.out;
    EXPECT_TRUE(contains(run.out, ": whole in every dump\n"));
    EXPECT_TRUE(contains(run.out,
                         "\nmerged 1 disk from 3 images: 28 files whole, 0 not whole, "
                         "0 conflicts; nothing written\n"))
        << run.out;
    EXPECT_EQ(dir.entries(), (Names{"dump1.d88", "dump2.d88", "dump3.d88"}));

    const ToolResult ja =
        d88test::runTool(D88MERGE_PATH, {"--lang", "ja", "dump1.d88", "dump2.d88"}, dir.path());
    EXPECT_TRUE(contains(
        ja.out, "統合で完全になりました。dump1.d88 では損傷 (C2 H0 R1 N3 データ CRC エラー)"))
        << ja.out;
}

// An image of the eight disks and a dump of its Program Disk alone join by
// kind, in either order; the disks keep the first image's order.
TEST(MergeTest, DisksJoinByKind) {
    const Bytes set = d88mk::sampleImage();
    const Bytes redump = d88mk::repairableDumps(SetDisk::ProgramDisk).dumps[0];
    struct Case {
        std::vector<Bytes> images;
        int programDisk;  // its place among the merged disks
        Names kinds;
    };
    const Names setKinds = {"Opening Disk", "Program Disk", "Demo Disk 1", "Data Disk 1",
                            "Demo Disk 2",  "Data Disk 2",  "Data Disk 3", "Visual Disk"};
    Names redumpFirst = setKinds;
    std::rotate(redumpFirst.begin(), redumpFirst.begin() + 1, redumpFirst.begin() + 2);
    const Case cases[] = {{{set, redump}, 1, setKinds}, {{redump, set}, 0, redumpFirst}};
    for (const Case& c : cases) {
        d88test::ScratchDir dir;
        Names args = writeDumps(dir, c.images);
        args.insert(args.begin(), "--json");
        const ToolResult run = merge(dir, args);
        EXPECT_EQ(run.exitStatus, 0) << run.err;
        const JsonValue report = parsed(run.out);
        Names kinds;
        for (const JsonValue& disk : report["disks"].items) {
            kinds.push_back(disk["kind"].text);
        }
        EXPECT_EQ(kinds, c.kinds);
        const JsonValue& program = report["disks"].items[static_cast<std::size_t>(c.programDisk)];
        EXPECT_EQ(program["members"].items.size(), 2u);
        // Tracks 60-159 of five records, which the 60-track dump lacks, and
        // the two records the set's copy gives the dump.
        EXPECT_EQ(program["records"]["repaired"].integer(), 100 * 5 + 2);
    }
}

// Which disks join, from the kinds recognised in each disk of each image.
TEST(MergeTest, GroupingOfDisks) {
    using Kinds = d88merge::ImageKinds;
    const auto P = DiskKind::ProgramDisk;
    const auto O = DiskKind::OpeningDisk;
    const auto D = DiskKind::DemoDisk1;
    const std::optional<DiskKind> none;
    struct Member {
        int image, disk;
        JoinedBy how;
    };
    struct Case {
        const char* name;
        Kinds images;
        std::vector<std::vector<Member>> groups;
    };
    const Case cases[] = {
        {"one disk each, kinds aside",
         {{P}, {none}, {O}},
         {{{0, 0, JoinedBy::OnlyDisk}, {1, 0, JoinedBy::OnlyDisk}, {2, 0, JoinedBy::OnlyDisk}}}},
        {"by kind, in another order",
         {{O, P}, {P, O}},
         {{{0, 0, JoinedBy::Kind}, {1, 1, JoinedBy::Kind}},
          {{0, 1, JoinedBy::Kind}, {1, 0, JoinedBy::Kind}}}},
        {"a damaged probe joins by its place",
         {{O, P, D}, {O, none, D}},
         {{{0, 0, JoinedBy::Kind}, {1, 0, JoinedBy::Kind}},
          {{0, 1, JoinedBy::Kind}, {1, 1, JoinedBy::Place}},
          {{0, 2, JoinedBy::Kind}, {1, 2, JoinedBy::Kind}}}},
        {"a place two kinds claim is taken alone",
         {{O, P}, {O, D}, {O, none}},
         {{{0, 0, JoinedBy::Kind}, {1, 0, JoinedBy::Kind}, {2, 0, JoinedBy::Kind}},
          {{0, 1, JoinedBy::Kind}},
          {{1, 1, JoinedBy::Kind}},
          {{2, 1, JoinedBy::Ambiguous}}}},
        {"disks of no kind by their place among them",
         {{none, P, none}, {P, none}},
         {{{0, 0, JoinedBy::NoKind}, {1, 1, JoinedBy::NoKind}},
          {{0, 1, JoinedBy::Kind}, {1, 0, JoinedBy::Kind}},
          {{0, 2, JoinedBy::NoKind}}}},
        {"two of a kind in one image",
         {{P, P}, {P}},
         {{{0, 0, JoinedBy::Kind}, {1, 0, JoinedBy::Kind}}, {{0, 1, JoinedBy::Kind}}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::vector<d88merge::DiskGroup> groups = d88merge::groupDisks(c.images);
        ASSERT_EQ(groups.size(), c.groups.size());
        for (std::size_t g = 0; g < groups.size(); ++g) {
            ASSERT_EQ(groups[g].members.size(), c.groups[g].size()) << "group " << g;
            for (std::size_t m = 0; m < c.groups[g].size(); ++m) {
                EXPECT_EQ(groups[g].members[m].image, c.groups[g][m].image);
                EXPECT_EQ(groups[g].members[m].disk, c.groups[g][m].disk);
                EXPECT_EQ(groups[g].members[m].how, c.groups[g][m].how);
            }
        }
    }
}

// The output: written only with -o, never over an input, never half.
TEST(MergeTest, OutputIsWholeOrNone) {
    const std::vector<Bytes> dumps = d88mk::repairableDumps(SetDisk::ProgramDisk).dumps;
    struct Case {
        const char* name;
        Names args;
        int status;
        std::string message;  // the start of what is said on stderr
        std::int64_t sizeLimit;
        Names entries;  // what the folder holds after
    };
    const Names inputs = {"dump1.d88", "dump2.d88", "dump3.d88"};
    auto with = [&](Names more) {
        Names all = inputs;
        all.insert(all.end(), more.begin(), more.end());
        std::sort(all.begin(), all.end());
        return all;
    };
    std::vector<Case> cases = {
        {"no -o writes nothing", {}, 0, "", -1, with({})},
        {"-o writes the merge", {"-o", "out.d88"}, 0, "", -1, with({"out.d88"})},
        {"-o onto an input",
         {"-o", "dump2.d88"},
         1,
         "d88merge: dump2.d88: it is one of the images merged; not written over",
         -1,
         with({})},
        {"-o into no folder",
         {"-o", "nowhere/out.d88"},
         1,
         "d88merge: nowhere/out.d88: no file can be made",
         -1,
         with({})},
        {"one image", {}, 1, "d88merge: two or more images are needed", -1, with({})},
    };
    if (d88test::canRedirectTo(d88test::OutputTo::Full)) {
        cases.push_back({"a write that fails",
                         {"-o", "out.d88"},
                         1,
                         "d88merge: out.d88: the write failed",
                         100000,
                         with({})});
    }
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        d88test::ScratchDir dir;
        Names args = writeDumps(dir, dumps);
        if (std::string(c.name) == "one image") {
            args.resize(1);
        }
        args.insert(args.begin(), c.args.begin(), c.args.end());
        d88test::RunOptions options;
        options.fileSizeLimit = c.sizeLimit;
        const ToolResult run = merge(dir, args, options);
        EXPECT_EQ(run.exitStatus, c.status);
        EXPECT_EQ(run.err.substr(0, c.message.size()), c.message) << run.err;
        EXPECT_EQ(dir.entries(), c.entries);
        EXPECT_EQ(d88mk::readFile(dir.file("dump2.d88")), dumps[1]);
    }
}

// Images that are no dumps, or hostile ones, are said by name or merged
// as they are, within bounds; never a crash.
TEST(MergeTest, BadImages) {
    const Bytes good = d88mk::setDisk(SetDisk::ProgramDisk, 60).build();
    Bytes truncated = good;
    truncated.resize(5000);
    Bytes many = d88mk::largeIndexImage();
    many.insert(many.end(), good.begin(), good.end());  // a 65th disk
    struct Case {
        const char* name;
        Bytes image;
        std::vector<int> statuses;  // those it may end with
        std::string message;
    };
    const Case cases[] = {
        {"no D88 at all", Bytes(100, 'x'), {1}, "d88merge: dump2.d88 is not a D88 image"},
        // A dump without the tracks the other holds: all repaired from it.
        {"cut short", truncated, {0}, ""},
        {"65 disks", many, {0, 2}, ""},
        {"a hostile walk", d88mk::hostileImage(300000), {2}, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        d88test::ScratchDir dir;
        const ToolResult run = merge(dir, writeDumps(dir, {good, c.image}));
        EXPECT_NE(std::find(c.statuses.begin(), c.statuses.end(), run.exitStatus), c.statuses.end())
            << run.exitStatus << run.err;
        EXPECT_EQ(run.err.substr(0, c.message.size()), c.message);
        const ToolResult written = merge(dir, {"-o", "out.d88", "dump1.d88", "dump2.d88"});
        EXPECT_EQ(written.exitStatus, run.exitStatus);
    }
}

// Lines wider than a window go on under themselves, broken at a space or comma.
TEST(MergeTest, ReportLinesFitTheWindow) {
    const std::vector<std::string> lines = {
        "  short",
        "    MP05: whole now; damaged in a.d88 (C2 H0 R1 N3 data CRC error), whole in b.d88",
        "    MP05: 統合で完全になりました。a.d88 では損傷 (C2 H0 R1 N3 データ CRC エラー)、b.d88 "
        "では完全"};
    const std::vector<std::string> fitted = d88merge::fitLines(lines, 40);
    const std::vector<std::string> expected = {"  short",
                                               "    MP05: whole now; damaged in a.d88 ",
                                               "        (C2 H0 R1 N3 data CRC error), ",
                                               "        whole in b.d88",
                                               "    MP05: 統合で完全になりました。a.d88 ",
                                               "        では損傷 (C2 H0 R1 N3 データ ",
                                               "        CRC エラー)、b.d88 では完全"};
    EXPECT_EQ(fitted, expected);
}

// Dropped on in a window of its own: the merge lands beside the first image
// under a name of its own, never over a file there, and the report fits the
// window's columns, in either language.
TEST(MergeTest, DroppedImagesMergeBesideTheFirst) {
    EXPECT_EQ(d88merge::mergedNameBeside("C:\\d\\Disk 2.d88", 1), "C:\\d\\Disk 2 (merged).d88");
    EXPECT_EQ(d88merge::mergedNameBeside("a.b/disk", 3), "a.b/disk (merged 3).d88");
    d88test::ScratchDir first;
    d88test::ScratchDir second;
    const std::vector<Bytes> dumps = d88mk::repairableDumps(SetDisk::ProgramDisk).dumps;
    d88mk::writeFile(first.file("dump1.d88"), dumps[0]);
    d88mk::writeFile(second.file("dump2.d88"), dumps[1]);
    std::string one = first.file("dump1.d88");
    std::string two = second.file("dump2.d88");
    char program[] = "d88merge.exe";
    char* argv[] = {program, one.data(), two.data(), nullptr};
    for (const bool japanese : {false, true}) {
        std::FILE* out = std::tmpfile();
        ASSERT_NE(out, nullptr);
        EXPECT_EQ(d88merge::mergeDropped(3, argv, japanese, out, out), 0);
        std::rewind(out);
        std::string report;
        for (int c; (c = std::fgetc(out)) != EOF;) {
            report += static_cast<char>(c);
        }
        std::fclose(out);
        std::size_t start = 0;
        for (std::size_t end; (end = report.find('\n', start)) != std::string::npos;
             start = end + 1) {
            EXPECT_LE(d88cut::columnsOf(report.substr(start, end - start)), 79u)
                << report.substr(start, end - start);
        }
        EXPECT_TRUE(contains(report, japanese ? "\n統合: " : "\nmerged 1 disk from 2 images"))
            << report;
    }
    EXPECT_EQ(first.entries(), (Names{"dump1 (merged 2).d88", "dump1 (merged).d88", "dump1.d88"}));
    EXPECT_EQ(d88mk::readFile(first.file("dump1 (merged).d88")),
              d88mk::repairableDumps(SetDisk::ProgramDisk).clean);
    char* alone[] = {program, one.data(), nullptr};
    std::FILE* sink = std::tmpfile();
    EXPECT_EQ(d88merge::mergeDropped(2, alone, false, sink, sink), 1);
    std::fclose(sink);
}

}  // namespace
