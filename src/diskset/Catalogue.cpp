#include "Catalogue.h"

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

}  // namespace

const ExtractEntry musdrvTail{3, 4, 3072};

const KindCuts openingCuts{nullptr, &moTable, kNoRuns, kOpeningRuns};
const KindCuts programCuts{&kProgramMusdrvHead, &mpTable, kNoRuns, kNoRuns};
const KindCuts demo1Cuts{&kDemo1MusdrvHead, &mdemo1Table, kNoRuns, kNoRuns};
const KindCuts demo2Cuts{nullptr, &mdemo2Table, kNoRuns, kNoRuns};
const KindCuts dataDisk3Cuts{nullptr, nullptr, kDataDisk3Runs, kNoRuns};
const KindCuts visualCuts{nullptr, nullptr, kVisualRuns, kNoRuns};

std::vector<KindRun> runsOf(const KindCuts& cuts) {
    std::vector<KindRun> runs;
    if (cuts.musdrvHead != nullptr) {
        runs.push_back({*cuts.musdrvHead, false});
        runs.push_back({musdrvTail, false});
    }
    for (const ExtractEntry* row = cuts.table != nullptr ? cuts.table->rows : nullptr;
         row != nullptr && row->length != 0; ++row) {
        runs.push_back({*row, false});
    }
    for (const NamedRun* named = cuts.runs; named->fileName != nullptr; ++named) {
        runs.push_back({named->run, false});
    }
    for (const NamedRun* named = cuts.opRuns; named->fileName != nullptr; ++named) {
        runs.push_back({named->run, true});
    }
    return runs;
}

}  // namespace d88cut
