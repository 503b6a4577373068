#include "Catalogue.h"

#include <cstdio>

namespace d88cut {

namespace {

constexpr ExtractEntry kMoRows[] = {
    {8, 0, 5120}, {9, 0, 3072}, {9, 3, 5120}, {10, 3, 5120}, {11, 3, 3072}, {0, 0, 0},
};

constexpr ExtractEntry kMpRows[] = {
    {31, 2, 3072}, {32, 0, 2048}, {32, 2, 2048}, {32, 4, 3072}, {33, 2, 2048}, {33, 4, 4096},
    {34, 3, 3072}, {35, 1, 3072}, {35, 4, 3072}, {36, 2, 4096}, {37, 1, 4096}, {38, 0, 4096},
    {38, 4, 3072}, {39, 2, 2048}, {39, 4, 2048}, {40, 1, 3072}, {40, 4, 1024}, {41, 0, 3072},
    {41, 3, 3072}, {42, 1, 2048}, {42, 3, 3072}, {43, 1, 1024}, {43, 2, 2048}, {43, 4, 1024},
    {44, 0, 1024}, {44, 1, 1024}, {44, 2, 1024}, {0, 0, 0},
};

constexpr ExtractEntry kMdemo1Rows[] = {
    {37, 0, 2048}, {37, 2, 3072}, {38, 0, 2048}, {38, 2, 3072}, {39, 0, 4096},
    {39, 4, 3072}, {40, 2, 2048}, {40, 4, 3072}, {41, 2, 1024}, {41, 3, 5120},
    {42, 3, 3072}, {43, 1, 5120}, {44, 1, 3072}, {0, 0, 0},
};

constexpr ExtractEntry kMdemo2Rows[] = {
    {6, 18, 3072},
    {7, 16, 5120},
    {0, 0, 0},
};

const ExtractTable moTable{"MO%02d", kMoRows};
const ExtractTable mpTable{"MP%02d", kMpRows};
const ExtractTable mdemo1Table{"MDEMO1%02d", kMdemo1Rows};
const ExtractTable mdemo2Table{"MDEMO2%02d", kMdemo2Rows};

constexpr ExtractEntry kProgramMusdrvHead{5, 2, 2048};
constexpr ExtractEntry kDemo1MusdrvHead{4, 2, 2048};

constexpr NamedRun kNoRuns[] = {{nullptr, {}}};
constexpr NamedRun kOpeningRuns[] = {
    {"OPDEMO", {2, 0, 14336}}, {"G_TITLE", {26, 1, 12800}}, {nullptr, {}}};
constexpr NamedRun kDataDisk3Runs[] = {{"M300", {57, 49, 4096}}, {nullptr, {}}};
constexpr NamedRun kVisualRuns[] = {{"MV00", {18, 81, 6144}}, {nullptr, {}}};

constexpr ExtractEntry kMusdrvTail{3, 4, 3072};

}  // namespace

const KindCuts openingCuts{nullptr, &moTable, kNoRuns, kOpeningRuns};
const KindCuts programCuts{&kProgramMusdrvHead, &mpTable, kNoRuns, kNoRuns};
const KindCuts demo1Cuts{&kDemo1MusdrvHead, &mdemo1Table, kNoRuns, kNoRuns};
const KindCuts demo2Cuts{nullptr, &mdemo2Table, kNoRuns, kNoRuns};
const KindCuts dataDisk3Cuts{nullptr, nullptr, kDataDisk3Runs, kNoRuns};
const KindCuts visualCuts{nullptr, nullptr, kVisualRuns, kNoRuns};

std::int32_t CutFile::length() const {
    return pieceOffset(pieceCount);
}

std::int32_t CutFile::pieceOffset(int index) const {
    std::int32_t offset = 0;
    for (int i = 0; i < index && i < pieceCount; ++i) {
        offset += pieces[i].length;
    }
    return offset;
}

namespace {

void addFile(CutFileList& list, const char* name, const ExtractEntry* pieces, int pieceCount,
             bool onlyWithOp) {
    CutFile& file = list.files[list.count++];
    std::snprintf(file.name, sizeof file.name, "%s", name);
    for (int i = 0; i < pieceCount; ++i) {
        file.pieces[i] = pieces[i];
    }
    file.pieceCount = pieceCount;
    file.onlyWithOp = onlyWithOp;
}

void addNamedRuns(CutFileList& list, const NamedRun* runs, bool onlyWithOp) {
    for (const NamedRun* named = runs; named->fileName != nullptr; ++named) {
        addFile(list, named->fileName, &named->run, 1, onlyWithOp);
    }
}

}  // namespace

CutFileList filesOf(const KindCuts& cuts, bool opFlag) {
    CutFileList list{};
    if (cuts.musdrvHead != nullptr) {
        const ExtractEntry pieces[] = {*cuts.musdrvHead, kMusdrvTail};
        addFile(list, kMusdrvName, pieces, 2, false);
    }
    if (cuts.table != nullptr) {
        // A row's file is named by its index: a row that cannot be read
        // leaves a gap, and the rows after it keep their numbers.
        for (int i = 0; cuts.table->rows[i].length != 0; ++i) {
            char name[CutFile::kNameRoom];
            std::snprintf(name, sizeof name, cuts.table->namePattern, i);
            addFile(list, name, &cuts.table->rows[i], 1, false);
        }
    }
    addNamedRuns(list, cuts.runs, false);
    if (opFlag) {
        addNamedRuns(list, cuts.opRuns, true);
    }
    return list;
}

std::int32_t readRunSectors(d88::D88Image& image, const ExtractEntry& run, std::uint8_t* dest) {
    const d88::TrackAddress start = run.address();
    return image.readSectors(start.index, start.cylinder(), start.head(), run.startSector,
                             kRunSizeCode, dest, run.length);
}

}  // namespace d88cut
