// End-to-end runs of d88cut on built images: which files each disk kind cuts,
// in which order and from which sectors, and what happens when sectors are
// missing or short, when an output file cannot be written, and when an image
// holds two disks that write the same names.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <iostream>
#include <map>
#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "ImageBuilder.h"
#include "ToolRun.h"
#include "cutter/RunState.h"

namespace {

using d88mk::Bytes;
using d88mk::SetDisk;
using d88test::cp932;
using d88test::ScratchDir;

constexpr int kSectorSize = 1024;
constexpr int kTracks = 60;  // M300 on track 57 is the farthest run

struct Sector {
    int track;
    int r;
};
bool operator==(const Sector& a, const Sector& b) {
    return a.track == b.track && a.r == b.r;
}
void PrintTo(const Sector& s, std::ostream* os) {
    *os << "t" << s.track << " R" << s.r;
}

// 1,024 bytes of a file that must read as zero: the sector could not be read.
constexpr Sector kZero{-1, -1};

// A file of a disk kind. `listed` spells out the sectors the file covers, in
// file order; when empty they follow from track, r, length and the kind's
// sector range. MUSDRV (track -1) is always listed.
struct FileRow {
    std::string name;
    int track;
    int r;
    int length;
    std::vector<Sector> listed = {};
};

// What a disk kind prints and cuts, with the sector range its runs step through.
struct Catalogue {
    SetDisk disk;
    std::string kindName;
    int first;
    int last;
    std::vector<FileRow> files;  // in cutting order; empty for the kinds without data
};

std::vector<FileRow> joined(std::vector<FileRow> a, const std::vector<FileRow>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// clang-format off
const std::vector<FileRow> kMoRows = {
    {"MO00", 8, 0, 5120}, {"MO01", 9, 0, 3072},
    {"MO02", 9, 3, 5120, {{9, 3}, {9, 4}, {10, 0}, {10, 1}, {10, 2}}},
    {"MO03", 10, 3, 5120}, {"MO04", 11, 3, 3072},
};
const std::vector<FileRow> kOpRows = {
    {"OPDEMO", 2, 0, 14336},
    {"G_TITLE", 26, 1, 12800, {{26, 1}, {26, 2}, {26, 3}, {26, 4}, {27, 0}, {27, 1}, {27, 2},
                               {27, 3}, {27, 4}, {28, 0}, {28, 1}, {28, 2}, {28, 3}}},
};
const Catalogue kOpening{SetDisk::OpeningDisk, "Opening Disk", 0, 4, kMoRows};
const Catalogue kOpeningOp{SetDisk::OpeningDisk, "Opening Disk", 0, 4, joined(kMoRows, kOpRows)};
const Catalogue kProgram{SetDisk::ProgramDisk, "Program Disk", 0, 4, {
    {"MUSDRV", -1, 0, 5120, {{5, 2}, {5, 3}, {3, 4}, {4, 0}, {4, 1}}},
    {"MP00", 31, 2, 3072}, {"MP01", 32, 0, 2048}, {"MP02", 32, 2, 2048},
    {"MP03", 32, 4, 3072, {{32, 4}, {33, 0}, {33, 1}}},
    {"MP04", 33, 2, 2048},
    {"MP05", 33, 4, 4096, {{33, 4}, {34, 0}, {34, 1}, {34, 2}}},
    {"MP06", 34, 3, 3072}, {"MP07", 35, 1, 3072}, {"MP08", 35, 4, 3072}, {"MP09", 36, 2, 4096},
    {"MP10", 37, 1, 4096}, {"MP11", 38, 0, 4096}, {"MP12", 38, 4, 3072}, {"MP13", 39, 2, 2048},
    {"MP14", 39, 4, 2048}, {"MP15", 40, 1, 3072}, {"MP16", 40, 4, 1024}, {"MP17", 41, 0, 3072},
    {"MP18", 41, 3, 3072}, {"MP19", 42, 1, 2048}, {"MP20", 42, 3, 3072}, {"MP21", 43, 1, 1024},
    {"MP22", 43, 2, 2048}, {"MP23", 43, 4, 1024}, {"MP24", 44, 0, 1024}, {"MP25", 44, 1, 1024},
    {"MP26", 44, 2, 1024}}};
const Catalogue kDemo1{SetDisk::DemoDisk1, "Demo Disk 1", 0, 4, {
    {"MUSDRV", -1, 0, 5120, {{4, 2}, {4, 3}, {3, 4}, {4, 0}, {4, 1}}},
    {"MDEMO100", 37, 0, 2048}, {"MDEMO101", 37, 2, 3072}, {"MDEMO102", 38, 0, 2048},
    {"MDEMO103", 38, 2, 3072}, {"MDEMO104", 39, 0, 4096}, {"MDEMO105", 39, 4, 3072},
    {"MDEMO106", 40, 2, 2048}, {"MDEMO107", 40, 4, 3072}, {"MDEMO108", 41, 2, 1024},
    {"MDEMO109", 41, 3, 5120}, {"MDEMO110", 42, 3, 3072},
    {"MDEMO111", 43, 1, 5120, {{43, 1}, {43, 2}, {43, 3}, {43, 4}, {44, 0}}},
    {"MDEMO112", 44, 1, 3072}}};
const Catalogue kDemo2{SetDisk::DemoDisk2, "Demo Disk 2", 16, 20, {
    {"MDEMO200", 6, 18, 3072},
    {"MDEMO201", 7, 16, 5120, {{7, 16}, {7, 17}, {7, 18}, {7, 19}, {7, 20}}}}};
const Catalogue kDataDisk1{SetDisk::DataDisk1, "Data Disk 1", 0, 0, {}};
const Catalogue kDataDisk2{SetDisk::DataDisk2, "Data Disk 2", 0, 0, {}};
const Catalogue kDataDisk3{SetDisk::DataDisk3, "Data Disk 3", 48, 52, {{"M300", 57, 49, 4096}}};
const Catalogue kVisual{SetDisk::VisualDisk, "Visual Disk", 80, 84, {
    {"MV00", 18, 81, 6144, {{18, 81}, {18, 82}, {18, 83}, {18, 84}, {19, 80}, {19, 81}}}}};
// clang-format on

// The sectors a run of `length` bytes covers: R rises to the range's last
// number, then the run goes on at the next track with the range's first.
std::vector<Sector> stepRun(int track, int r, int length, int first, int last) {
    std::vector<Sector> sectors;
    for (int done = 0; done < length; done += kSectorSize) {
        sectors.push_back({track, r});
        if (r == last) {
            ++track;
            r = first;
        } else {
            ++r;
        }
    }
    return sectors;
}

std::vector<Sector> sectorsOf(const FileRow& row, const Catalogue& catalogue) {
    return row.listed.empty()
               ? stepRun(row.track, row.r, row.length, catalogue.first, catalogue.last)
               : row.listed;
}

// A sector as the image holds it; a second disk of a kind has every byte inverted.
Bytes sectorBytes(Sector sector, bool inverted) {
    if (sector == kZero) {
        return Bytes(kSectorSize, 0);
    }
    Bytes bytes = d88mk::sectorContent(sector.track, sector.r, kSectorSize);
    if (inverted) {
        for (std::uint8_t& b : bytes) {
            b = static_cast<std::uint8_t>(~b);
        }
    }
    return bytes;
}

Bytes fileBytes(const std::vector<Sector>& sectors, int length, bool inverted) {
    Bytes out;
    for (const Sector& sector : sectors) {
        const Bytes bytes = sectorBytes(sector, inverted);
        out.insert(out.end(), bytes.begin(), bytes.end());
    }
    out.resize(static_cast<std::size_t>(length));
    return out;
}

// A sector that the image holds damaged: absent (dataLength 0) or with only
// `dataLength` bytes of data.
struct Damage {
    Sector at;
    int dataLength;
};

// A record whose deleted-data mark or status byte is set.
struct Mark {
    Sector at;
    std::uint8_t deleted;
    std::uint8_t status;
};

struct DiskPlan {
    SetDisk disk;
    bool inverted = false;
    std::vector<Damage> damage = {};
    std::vector<Mark> marks = {};
};

// Tracks 0 and 1 with the probe sectors as the builder makes them, then every
// 1,024-byte sector of the kind's range up to kTracks, except the damaged ones.
Bytes buildDisk(const DiskPlan& plan) {
    d88mk::DiskBuilder builder = d88mk::setDisk(plan.disk, 2);
    int first = 0;
    int last = 0;
    d88mk::setDiskRange(plan.disk, first, last);
    for (int track = 2; track < kTracks; ++track) {
        for (int r = first; r <= last; ++r) {
            Bytes data = sectorBytes({track, r}, plan.inverted);
            const auto hit =
                std::find_if(plan.damage.begin(), plan.damage.end(), [&](const Damage& d) {
                    return d.at == Sector{track, r};
                });
            if (hit != plan.damage.end()) {
                if (hit->dataLength == 0) {
                    continue;
                }
                data.resize(static_cast<std::size_t>(hit->dataLength));
            }
            builder.addSector(track, r, 3, data);
        }
    }
    for (const Mark& mark : plan.marks) {
        builder.markSector(mark.at.track, mark.at.r, mark.deleted, mark.status);
    }
    return builder.build();
}

d88test::ToolResult runCut(const std::vector<DiskPlan>& disks,
                           const std::vector<std::string>& extra, const ScratchDir& work,
                           const d88test::RunOptions& options = {}) {
    ScratchDir images;
    std::vector<Bytes> parts;
    for (const DiskPlan& disk : disks) {
        parts.push_back(buildDisk(disk));
    }
    const std::string path = images.file("set.d88");
    d88mk::writeFile(path, d88mk::concat(parts));
    std::vector<std::string> args{path};
    args.insert(args.end(), extra.begin(), extra.end());
    return d88test::runTool(D88CUT_PATH, args, work.path(), options);
}

std::string cuttingLine(const std::string& name) {
    return "cutting ... " + name + "\n";
}
std::string partlyReadLine(const std::string& name) {
    return cp932(name + " の一部を読み込めませんでした.\n");
}
std::string cannotWriteLine(const std::string& name) {
    return cp932(name + " を書き込めません.\n");
}

// What a run must print, return and leave in its working directory.
struct Expected {
    std::string out;
    std::string err;
    int status = 0;
    std::map<std::string, Bytes> files;  // every plain file, with its bytes
    std::set<std::string> others;        // entries that are no plain file we wrote
};

// Sectors of a file where they differ from the catalogue: kZero for the
// bytes that could not be read, an empty list for a file not written.
using Layouts = std::map<std::string, std::vector<Sector>>;

// Whether a file of `sectors` read any of the `marks`' records whole.
bool readsMarked(const std::vector<Sector>& sectors, const std::vector<Mark>& marks) {
    return std::any_of(marks.begin(), marks.end(), [&](const Mark& mark) {
        return std::find(sectors.begin(), sectors.end(), mark.at) != sectors.end();
    });
}

// Adds what one disk of the image prints and writes; `blocked` names files
// whose output cannot be opened or written, `marks` the records that are not
// plainly normal.
void addDisk(Expected& want, const Catalogue& catalogue, bool inverted, const Layouts& layouts = {},
             const std::set<std::string>& blocked = {}, const std::vector<Mark>& marks = {}) {
    want.out += cp932(catalogue.kindName + " を認識しました.\n");
    if (catalogue.files.empty()) {
        want.out += cp932("このディスクには切り出すデータはありません.\n");
    }
    for (const FileRow& row : catalogue.files) {
        const auto layout = layouts.find(row.name);
        const std::vector<Sector> sectors =
            layout != layouts.end() ? layout->second : sectorsOf(row, catalogue);
        if (sectors.empty()) {
            want.err += d88test::notCut({row.name});
            continue;
        }
        if (blocked.count(row.name) != 0) {
            // MUSDRV announces itself only once its file is open.
            if (row.name != "MUSDRV") {
                want.out += cuttingLine(row.name);
            }
            want.err += cannotWriteLine(row.name);
            want.status = 1;
            continue;
        }
        want.out += cuttingLine(row.name);
        if (std::find(sectors.begin(), sectors.end(), kZero) != sectors.end()) {
            want.err += partlyReadLine(row.name);
        }
        if (readsMarked(sectors, marks)) {
            want.err += d88test::fromMarkedRecords(row.name);
        }
        want.files[row.name] = fileBytes(sectors, row.length, inverted);
    }
}

std::string firstDifference(const Bytes& got, const Bytes& want) {
    if (got == want) {
        return "";
    }
    const std::size_t common = std::min(got.size(), want.size());
    const std::size_t at = static_cast<std::size_t>(
        std::mismatch(got.begin(), got.begin() + common, want.begin()).first - got.begin());
    return std::to_string(got.size()) + " bytes (want " + std::to_string(want.size()) +
           "), first difference at byte " + std::to_string(at);
}

void expectOutcome(const d88test::ToolResult& got, const Expected& want, const ScratchDir& work) {
    EXPECT_EQ(got.exitStatus, want.status);
    EXPECT_EQ(got.out, want.out);
    EXPECT_EQ(got.err, want.err);
    std::vector<std::string> names(want.others.begin(), want.others.end());
    for (const auto& file : want.files) {
        names.push_back(file.first);
    }
    std::sort(names.begin(), names.end());
    EXPECT_EQ(work.entries(), names);
    for (const auto& file : want.files) {
        if (work.exists(file.first)) {
            EXPECT_EQ(firstDifference(d88mk::readFile(work.file(file.first)), file.second), "")
                << file.first;
        }
    }
}

// Plants a file that the run must leave as it is, and expects it so.
void plantFile(Expected& want, const ScratchDir& work, const std::string& name) {
    const std::string text = "kept " + name + "\n";
    want.files[name] = Bytes(text.begin(), text.end());
    d88mk::writeFile(work.file(name), want.files[name]);
}

TEST(ExtractionTest, EachKindCutsItsFilesInOrderFromTheirSectors) {
    struct Case {
        const Catalogue& catalogue;
        std::vector<std::string> args;
    };
    const Case cases[] = {
        {kOpening, {}}, {kOpeningOp, {"-op"}}, {kProgram, {}},   {kDemo1, {}},  {kDataDisk1, {}},
        {kDemo2, {}},   {kDataDisk2, {}},      {kDataDisk3, {}}, {kVisual, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.catalogue.kindName + (c.args.empty() ? "" : " " + c.args[0]));
        // The sectors listed for a row are the ones its run steps through.
        for (const FileRow& row : c.catalogue.files) {
            if (!row.listed.empty() && row.track >= 0) {
                EXPECT_EQ(
                    stepRun(row.track, row.r, row.length, c.catalogue.first, c.catalogue.last),
                    row.listed)
                    << row.name;
            }
        }
        ScratchDir work;
        // A longer file of the first name keeps none of its bytes past the cut.
        if (!c.catalogue.files.empty()) {
            d88mk::writeFile(work.file(c.catalogue.files[0].name), Bytes(20000, 0xEE));
        }
        Expected want;
        addDisk(want, c.catalogue, false);
        expectOutcome(runCut({{c.catalogue.disk}}, c.args, work), want, work);
    }
}

TEST(ExtractionTest, MusdrvPiecesThatCannotBeReadAreZero) {
    struct Case {
        const char* label;
        const Catalogue& catalogue;
        std::vector<Damage> damage;
        std::vector<Sector> musdrv;  // empty: MUSDRV is not written
    };
    const Case cases[] = {
        {"second piece missing", kProgram, {{{3, 4}, 0}}, {{5, 2}, {5, 3}, kZero, kZero, kZero}},
        {"second piece short at once",
         kProgram,
         {{{3, 4}, 512}},
         {{5, 2}, {5, 3}, kZero, kZero, kZero}},
        {"second piece breaks off", kDemo1, {{{4, 0}, 0}}, {{4, 2}, {4, 3}, {3, 4}, kZero, kZero}},
        // The boot sector read during recognition must not show through.
        {"first piece missing", kProgram, {{{5, 2}, 0}}, {kZero, kZero, {3, 4}, {4, 0}, {4, 1}}},
        {"first piece short", kProgram, {{{5, 3}, 100}}, {{5, 2}, kZero, {3, 4}, {4, 0}, {4, 1}}},
        {"first piece breaks off", kDemo1, {{{4, 3}, 0}}, {{4, 2}, kZero, {3, 4}, {4, 0}, {4, 1}}},
        {"both pieces missing", kProgram, {{{5, 2}, 0}, {{3, 4}, 0}}, {}},
        {"both pieces missing", kDemo1, {{{4, 2}, 0}, {{3, 4}, 0}}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.catalogue.kindName + ", " + c.label);
        ScratchDir work;
        Expected want;
        plantFile(want, work, "MUSDRV");
        addDisk(want, c.catalogue, false, {{"MUSDRV", c.musdrv}});
        expectOutcome(runCut({{c.catalogue.disk, false, c.damage}}, {}, work), want, work);
    }
}

TEST(ExtractionTest, RunWithoutItsFirstSectorLeavesNoFileAndLaterNumbersStay) {
    struct Case {
        const Catalogue& catalogue;
        Damage damage;
        std::string skipped;
    };
    const Case cases[] = {
        {kProgram, {{33, 4}, 0}, "MP05"}, {kProgram, {{33, 4}, 512}, "MP05"},
        {kOpening, {{8, 0}, 0}, "MO00"},  {kDemo2, {{6, 18}, 0}, "MDEMO200"},
        {kVisual, {{18, 81}, 0}, "MV00"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.skipped + " from " + std::to_string(c.damage.dataLength) + " bytes");
        ScratchDir work;
        Expected want;
        plantFile(want, work, c.skipped);
        addDisk(want, c.catalogue, false, {{c.skipped, {}}});
        expectOutcome(runCut({{c.catalogue.disk, false, {c.damage}}}, {}, work), want, work);
    }
}

TEST(ExtractionTest, RunThatBreaksOffIsWrittenInFullWithZerosAndAWarning) {
    struct Case {
        const Catalogue& catalogue;
        std::vector<std::string> args;
        Damage damage;
        std::string name;
        std::vector<Sector> sectors;
    };
    std::vector<Sector> gTitleCut = kOpRows[1].listed;
    gTitleCut.back() = kZero;
    const Case cases[] = {
        // Without zeros MP07 would carry MP06's track 34 R4 and track 35 R0.
        {kProgram, {}, {{35, 2}, 0}, "MP07", {{35, 1}, kZero, kZero}},
        // The 700 bytes that the short sector holds are not kept either.
        {kProgram, {}, {{34, 1}, 700}, "MP05", {{33, 4}, {34, 0}, kZero, kZero}},
        {kOpening, {}, {{10, 0}, 0}, "MO02", {{9, 3}, {9, 4}, kZero, kZero, kZero}},
        {kVisual,
         {},
         {{19, 80}, 0},
         "MV00",
         {{18, 81}, {18, 82}, {18, 83}, {18, 84}, kZero, kZero}},
        {kDemo2, {}, {{7, 18}, 0}, "MDEMO201", {{7, 16}, {7, 17}, kZero, kZero, kZero}},
        // Only the half sector at the end of G_TITLE is missing.
        {kOpeningOp, {"-op"}, {{28, 3}, 0}, "G_TITLE", gTitleCut},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScratchDir work;
        Expected want;
        addDisk(want, c.catalogue, false, {{c.name, c.sectors}});
        expectOutcome(runCut({{c.catalogue.disk, false, {c.damage}}}, c.args, work), want, work);
    }
}

// A file some of whose sectors come from records with a CRC error, a deleted
// mark or another status is cut as ever, and said to be; the piece where a
// run breaks off was not read whole, so its record is not counted.
TEST(ExtractionTest, FileFromRecordsThatAreNotPlainlyNormalIsCutWithAWarning) {
    struct Case {
        const char* label;
        const Catalogue& catalogue;
        std::vector<std::string> args;
        std::vector<Damage> damage;
        std::vector<Mark> marks;
        Layouts layouts;
    };
    const Case cases[] = {
        {"a CRC error inside MP05", kProgram, {}, {}, {{{34, 0}, 0x00, 0xB0}}, {}},
        {"a deleted mark inside MUSDRV's second run", kProgram, {}, {}, {{{4, 0}, 0x10, 0x00}}, {}},
        {"deleted data in the status of MO00", kOpening, {}, {}, {{{8, 2}, 0x00, 0x10}}, {}},
        {"a short marked record where MP07 breaks off",
         kProgram,
         {},
         {{{35, 2}, 700}},
         {{{35, 2}, 0x00, 0xB0}},
         {{"MP07", {{35, 1}, kZero, kZero}}}},
        {"a marked record before MP07 breaks off",
         kProgram,
         {},
         {{{35, 2}, 0}},
         {{{35, 1}, 0x00, 0xA0}},
         {{"MP07", {{35, 1}, kZero, kZero}}}},
        {"G_TITLE's half sector marked", kOpeningOp, {"-op"}, {}, {{{28, 3}, 0x00, 0xE0}}, {}},
        {"marks on records no file reads", kVisual, {}, {}, {{{18, 80}, 0x10, 0xB0}}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        ScratchDir work;
        Expected want;
        addDisk(want, c.catalogue, false, c.layouts, {}, c.marks);
        expectOutcome(runCut({{c.catalogue.disk, false, c.damage, c.marks}}, c.args, work), want,
                      work);
    }
}

TEST(ExtractionTest, FileThatCannotBeWrittenIsReportedAndTheRunGoesOn) {
    struct Case {
        std::vector<const Catalogue*> disks;
        std::string blocked;
        bool toDevFull;  // a link to /dev/full, else a directory of that name
    };
    const Case cases[] = {
        {{&kOpening, &kVisual}, "MO01", false},
        {{&kProgram, &kDemo2}, "MUSDRV", false},
        {{&kProgram}, "MP00", true},
        // 4,096 bytes or more fail in the write itself, fewer only when closing.
        {{&kOpening}, "MO00", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.blocked);
        ScratchDir work;
        if (c.toDevFull) {
#ifdef _WIN32
            std::cout << "[  NOTE    ] " << c.blocked << ": no /dev/full on Windows\n";
            continue;
#endif
            std::filesystem::create_symlink("/dev/full", d88test::pathOf(work.file(c.blocked)));
        } else {
            std::filesystem::create_directory(d88test::pathOf(work.file(c.blocked)));
        }
        Expected want;
        want.others.insert(c.blocked);
        std::vector<DiskPlan> disks;
        for (const Catalogue* catalogue : c.disks) {
            addDisk(want, *catalogue, false, {}, {c.blocked});
            disks.push_back({catalogue->disk});
        }
        expectOutcome(runCut(disks, {}, work), want, work);
        const auto kept = std::filesystem::symlink_status(d88test::pathOf(work.file(c.blocked)));
        EXPECT_TRUE(c.toDevFull ? std::filesystem::is_symlink(kept)
                                : std::filesystem::is_directory(kept));
    }
}

// Disks whose header is the 672-byte form some writers make (160 track
// offsets, each 16 less) cut the very same files, with the same messages.
TEST(ExtractionTest, DisksOfEitherHeaderFormCutTheSameFiles) {
    std::vector<Bytes> disks;
    std::vector<Bytes> shortDisks;
    for (const SetDisk disk : {SetDisk::OpeningDisk, SetDisk::ProgramDisk, SetDisk::DemoDisk1,
                               SetDisk::DemoDisk2, SetDisk::DataDisk3, SetDisk::VisualDisk}) {
        disks.push_back(buildDisk({disk}));
        shortDisks.push_back(d88mk::withShortHeader(disks.back()));
    }
    std::vector<std::map<std::string, Bytes>> cut;
    std::vector<d88test::ToolResult> runs;
    for (const std::vector<Bytes>* form : {&disks, &shortDisks}) {
        ScratchDir images;
        ScratchDir work;
        d88mk::writeFile(images.file("set.d88"), d88mk::concat(*form));
        runs.push_back(d88test::runTool(D88CUT_PATH, {images.file("set.d88"), "-op"}, work.path()));
        cut.emplace_back();
        for (const std::string& name : work.entries()) {
            cut.back()[name] = d88mk::readFile(work.file(name));
        }
    }
    EXPECT_EQ(runs[0].exitStatus, 0);
    EXPECT_EQ(runs[0].err, "");
    EXPECT_EQ(cut[0].size(), 7u + 28u + 13u + 2u + 1u + 1u);  // MUSDRV twice, the later one kept
    EXPECT_EQ(runs[1].exitStatus, runs[0].exitStatus);
    EXPECT_EQ(runs[1].out, runs[0].out);
    EXPECT_EQ(runs[1].err, runs[0].err);
    EXPECT_TRUE(cut[1] == cut[0]);
}

// A write that fails part way (here at a limit of 4,096 bytes on the size of
// any file) leaves exactly the bytes it wrote, also over an older, longer file
// of the same name: no file looks whole that is not. A file of a run and
// MUSDRV, which is assembled from several, alike.
TEST(ExtractionTest, FileWhoseWriteFailsHoldsOnlyTheBytesWritten) {
#ifdef _WIN32
    std::cout << "[  NOTE    ] no limit on the size of a file to set on Windows\n";
    return;
#endif
    constexpr std::size_t kLimit = 4096;
    for (const Catalogue* catalogue : {&kOpening, &kProgram}) {
        SCOPED_TRACE(catalogue->kindName);
        ScratchDir work;
        const std::string& older = catalogue->files[0].name;
        d88mk::writeFile(work.file(older), Bytes(20000, 0xEE));
        Expected want;
        addDisk(want, *catalogue, false);
        for (const FileRow& row : catalogue->files) {
            Bytes& bytes = want.files[row.name];
            if (bytes.size() > kLimit) {
                bytes.resize(kLimit);
                want.err += cannotWriteLine(row.name);
                want.status = 1;
            }
        }
        ASSERT_EQ(want.status, 1) << "no file reaches the limit";
        d88test::RunOptions options;
        options.fileSizeLimit = static_cast<std::int64_t>(kLimit);
        expectOutcome(runCut({{catalogue->disk}}, {}, work, options), want, work);
    }
}

TEST(ExtractionTest, LaterDiskOfTheSameNamesLeavesItsFiles) {
    struct Disk {
        const Catalogue& catalogue;
        std::vector<Damage> damage;
        Layouts layouts;
    };
    const std::vector<std::vector<Disk>> cases = {
        {{kProgram, {}, {}}, {kProgram, {}, {}}},
        {{kOpening, {}, {}}, {kOpening, {}, {}}},
        // MP05 of the first disk stays when the second cannot cut it.
        {{kProgram, {}, {}}, {kProgram, {{{33, 4}, 0}}, {{"MP05", {}}}}},
        {{kProgram, {}, {}}, {kDemo1, {}, {}}},
        {{kDemo1, {}, {}}, {kProgram, {}, {}}},
    };
    for (const std::vector<Disk>& disks : cases) {
        SCOPED_TRACE(disks[0].catalogue.kindName + " then " + disks[1].catalogue.kindName);
        ScratchDir work;
        Expected want;
        std::vector<DiskPlan> plans;
        for (std::size_t i = 0; i < disks.size(); ++i) {
            // The second disk's sectors differ from the first's in every byte.
            const bool inverted = i == 1;
            addDisk(want, disks[i].catalogue, inverted, disks[i].layouts);
            plans.push_back({disks[i].catalogue.disk, inverted, disks[i].damage});
        }
        expectOutcome(runCut(plans, {}, work), want, work);
    }
}

}  // namespace

// Before each disk the buffer is cleared as far as the reads since the last
// clearing reached, or wholly when asked (the fuzz target compares the two).
TEST(WorkBufferTest, ClearedAsFarAsReadsReachedOrWholly) {
    using d88cut::runState;
    constexpr std::size_t kLast = d88cut::kWorkBufferSize - 1;
    for (const bool whole : {false, true}) {
        SCOPED_TRACE(whole ? "whole" : "narrow");
        d88cut::clearWorkBuffer();
        std::uint8_t* const at = d88cut::workBufferFor(300, 50);
        ASSERT_EQ(at, runState.workBuffer + 300);
        std::fill(at, at + 50, std::uint8_t{0xA5});
        d88cut::workBufferFor(0, 10)[9] = 0x5A;
        // A byte no read took: only the whole clearing reaches it.
        runState.workBuffer[kLast] = 0x77;
        runState.clearWholeWorkBuffer = whole;
        d88cut::clearWorkBuffer();
        runState.clearWholeWorkBuffer = false;
        EXPECT_EQ(runState.workBufferUsed, 0u);
        EXPECT_EQ(std::count(runState.workBuffer, runState.workBuffer + kLast, 0),
                  static_cast<std::ptrdiff_t>(kLast));
        EXPECT_EQ(runState.workBuffer[kLast], whole ? 0 : 0x77);
        runState.workBuffer[kLast] = 0;
    }
}
