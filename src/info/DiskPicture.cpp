#include "DiskPicture.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "DiskName.h"
#include "DiskSummary.h"
#include "PictureWords.h"
#include "RecordListing.h"
#include "RecordStatus.h"
#include "SvgWriter.h"
#include "TrackNames.h"
#include "diskset/Catalogue.h"
#include "diskset/DiskKind.h"
#include "diskset/FileFate.h"

namespace d88info {

namespace {

// The layout, in pixels: a panel per disk, its cylinders in rows, head 0 in
// the left column and head 1 in the right one.
constexpr int kMargin = 10;
constexpr int kLabelWidth = 34;
constexpr int kColumnWidth = 520;
constexpr int kColumnGap = 16;
constexpr int kRowPitch = 10;
constexpr int kCellHeight = 8;
constexpr int kPanelHeading = 34;
constexpr int kPanelGap = 14;
constexpr int kCylinders =
    d88::TrackAddress::ofIndex(d88::DiskHeader::kTrackCount - 1).cylinder() + 1;
constexpr int kPanelHeight = kPanelHeading + kCylinders * kRowPitch + kPanelGap;
constexpr int kPictureWidth = 2 * kMargin + kLabelWidth + 2 * kColumnWidth + kColumnGap;
constexpr int kLegendTop = 34;
constexpr int kLegendColumns = 4;
constexpr int kLegendPitch = 16;
constexpr int kLegendColumnWidth = (kPictureWidth - 2 * kMargin) / kLegendColumns;

// A record is 2 pixels plus one per 16 bytes of data (a 1,024-byte sector is
// 66 pixels); a track too long for its column is drawn narrower to fit.
constexpr double kBytesPerPixel = 16;
constexpr int kMinRecordWidth = 2;
static_assert(kMinRecordWidth * kMaxRecordsPerTrack < kColumnWidth,
              "every record of a walk fits in a column");

// What keeps the picture small: a track of more cells than this, or any
// track once the picture has spent its budget, is drawn as one summary cell.
// A cell costs 8, a line between two records of one cell 1.
constexpr std::size_t kMaxCellsPerTrack = 64;
constexpr long kCellCost = 8;
constexpr long kSeparatorCost = 1;
constexpr long kPictureBudget = kCellCost * 30000;

constexpr char kStyle[] =
    "text{font-size:10px;fill:#222}\n"
    ".title{font-size:12px;font-weight:bold}\n"
    ".label{font-size:8px;fill:#666}\n"
    ".normal{fill:#9fd49a}\n"
    ".deleted{fill:#5b9bd5}\n"
    ".crc{fill:#e0403a}\n"
    ".nomark{fill:#f39c32}\n"
    ".other{fill:#a070d0}\n"
    ".cutoff{fill:#333}\n"
    ".summary{fill:#b0b0b0}\n"
    ".absent{fill:#e6e6e6}\n"
    ".beyond{fill:#f4d03f}\n"
    ".inside{fill:#f5a3c7}\n"
    ".ended{fill:#8b5a2b}\n"
    ".capped{fill:#000}\n"
    ".rec{stroke:#fff;stroke-width:0.6}\n"
    ".sep{stroke:#fff;stroke-width:0.6;fill:none}\n"
    ".cut{stroke:#000;stroke-width:1.2}\n"
    ".cutop{stroke:#000;stroke-width:1.2;stroke-dasharray:2,1}\n";

// The class of each record state.
constexpr const char* kStateClasses[kRecordStateCount] = {"normal", "deleted", "crc",
                                                          "nomark", "other",   "cutoff"};

const char* classOf(RecordState state) {
    return kStateClasses[static_cast<int>(state)];
}

// The data offset of each record the kind's runs read whole, and whether it
// is cut only with -op.
class CutRecords {
  public:
    void note(const d88cut::FileFate& fate) {
        for (const std::int64_t offset : fate.recordOffsets()) {
            Cut& cut = cuts[offset];
            cut = std::max(cut, fate.file.onlyWithOp ? Cut::WithOp : Cut::Always);
        }
    }
    Cut cutOf(const d88::TrackRecord& record) const {
        const auto found = cuts.find(record.dataOffset);
        return found == cuts.end() ? Cut::None : found->second;
    }

  private:
    std::map<std::int64_t, Cut> cuts;
};

// Reads every file the recognised kind cuts with -op, as d88cut reads them,
// noting the records read.
void collectCuts(d88::D88Image& image, const d88cut::Identification& identification,
                 CutRecords& collector) {
    if (!identification.kind) {
        return;
    }
    const d88cut::DiskKindInfo& kind = d88cut::kindInfo(*identification.kind);
    if (kind.cuts == nullptr) {
        return;
    }
    image.setSectorRange(kind.range.first, kind.range.last);
    std::vector<std::uint8_t> buffer;
    for (const d88cut::CutFile& file : d88cut::filesOf(*kind.cuts, true)) {
        buffer.resize(std::max(buffer.size(), static_cast<std::size_t>(file.length())));
        collector.note(d88cut::readCutFile(image, file, buffer.data()));
    }
    image.setSectorRange(d88cut::kIdentificationRange.first, d88cut::kIdentificationRange.last);
}

// Records drawn as one cell: a single record, or neighbouring normal records
// alike in all but R.
struct Cell {
    std::size_t first;
    std::size_t count;
    RecordState state;
    Cut cut;
};

bool joins(const Cell& cell, const d88::TrackRecord& last, const d88::TrackRecord& record,
           RecordState state, Cut cut) {
    const d88::SectorHeader& a = last.header;
    const d88::SectorHeader& b = record.header;
    return state == RecordState::Normal && cell.state == RecordState::Normal && cut == cell.cut &&
           a.c == b.c && a.h == b.h && a.n == b.n && a.dataLength == b.dataLength &&
           a.density == b.density && a.deleted == b.deleted && a.status == b.status;
}

std::vector<Cell> cellsOf(const TrackRecords& track, const CutRecords& cuts) {
    std::vector<Cell> cells;
    for (std::size_t i = 0; i < track.records.size(); ++i) {
        const d88::TrackRecord& record = track.records[i];
        const RecordState state = recordState(record);
        const Cut cut = cuts.cutOf(record);
        if (!cells.empty() && joins(cells.back(), track.records[i - 1], record, state, cut)) {
            ++cells.back().count;
        } else {
            cells.push_back({i, 1, state, cut});
        }
    }
    return cells;
}

// The left edge of each record from the column's left, then the right edge
// of the last.
std::vector<int> recordEdges(const TrackRecords& track) {
    double totalBytes = 0;
    for (const d88::TrackRecord& record : track.records) {
        totalBytes += record.header.dataLength;
    }
    const double room = kColumnWidth - kMinRecordWidth * static_cast<double>(track.records.size());
    const double scale = totalBytes > 0 ? std::min(1 / kBytesPerPixel, room / totalBytes) : 0;
    std::vector<int> edges{0};
    double x = 0;
    for (const d88::TrackRecord& record : track.records) {
        x += kMinRecordWidth + record.header.dataLength * scale;
        edges.push_back(static_cast<int>(std::lround(x)));
    }
    return edges;
}

std::string format(const char* pattern, unsigned long long a, unsigned long long b = 0) {
    char text[64];
    std::snprintf(text, sizeof text, pattern, a, b);
    return text;
}

std::string cellTitle(const PictureWords& words, const TrackRecords& track, const Cell& cell) {
    const d88::TrackRecord& first = track.records[cell.first];
    std::vector<int> numbers;
    for (std::size_t i = 0; i < cell.count; ++i) {
        numbers.push_back(track.records[cell.first + i].header.r);
    }
    const std::int64_t holds = cell.state == RecordState::CutOff ? first.dataInFile : -1;
    return words.cellTitle(track.index, first.header, numbers, holds, cell.cut);
}

std::string summaryTitle(const PictureWords& words, const TrackRecords& track) {
    std::size_t counts[kRecordStateCount] = {};
    for (const d88::TrackRecord& record : track.records) {
        ++counts[static_cast<int>(recordState(record))];
    }
    return words.summaryTitle(track.index, track.records.size(), track.capped, counts);
}

struct PictureRun {
    SvgWriter svg;
    const PictureWords& words;
    d88::D88Image& image;
    std::uint8_t* scratch;
    DiskTracks& tracks;
    long budget;
};

// A line between each two records of the cells that hold several, where
// the records are wide enough to tell apart.
std::string separators(const std::vector<Cell>& cells, const std::vector<int>& edges, int x, int y,
                       long& count) {
    std::string d;
    for (const Cell& cell : cells) {
        const int width = edges[cell.first + cell.count] - edges[cell.first];
        if (cell.count < 2 || width < 4 * static_cast<int>(cell.count)) {
            continue;
        }
        for (std::size_t k = 1; k < cell.count; ++k) {
            d += format("M%llu %llu", static_cast<unsigned long long>(x + edges[cell.first + k]),
                        static_cast<unsigned long long>(y)) +
                 format("v%llu", kCellHeight);
            ++count;
        }
    }
    return d;
}

void drawCells(PictureRun& run, const TrackRecords& track, const CutRecords& cuts, int x, int y) {
    const std::vector<Cell> cells = cellsOf(track, cuts);
    const std::vector<int> edges = recordEdges(track);
    long separatorCount = 0;
    const std::string d = separators(cells, edges, x, y, separatorCount);
    const long cost = static_cast<long>(cells.size()) * kCellCost + separatorCount * kSeparatorCost;
    if (cells.size() > kMaxCellsPerTrack || cost > run.budget) {
        run.svg.rect("rec summary", x, y, edges.back(), kCellHeight,
                     summaryTitle(run.words, track));
        return;
    }
    run.budget -= cost;
    for (const Cell& cell : cells) {
        std::string cls = std::string("rec ") + classOf(cell.state);
        cls += cell.cut == Cut::Always ? " cut" : cell.cut == Cut::WithOp ? " cutop" : "";
        run.svg.rect(cls.c_str(), x + edges[cell.first], y,
                     edges[cell.first + cell.count] - edges[cell.first], kCellHeight,
                     cellTitle(run.words, track, cell));
    }
    if (!d.empty()) {
        run.svg.path("sep", d);
    }
    if (track.capped) {
        run.svg.rect("track capped", x + edges.back() + 1, y, 3, kCellHeight,
                     run.words.cappedTitle(track.index, kMaxRecordsPerTrack));
    }
}

void drawTrack(PictureRun& run, const TrackRecords& track, const CutRecords& cuts, int x, int y) {
    switch (track.end) {
        case d88::WalkEnd::Absent:
            run.svg.rect("track absent", x, y + kCellHeight / 2 - 1, kColumnWidth, 2,
                         run.words.absentTitle(track.index));
            return;
        case d88::WalkEnd::BeyondDisk:
            run.svg.rect("track beyond", x, y, kColumnWidth, kCellHeight,
                         run.words.beyondTitle(track.index, track.tableOffset));
            return;
        case d88::WalkEnd::InsideHeader:
            run.svg.rect("track inside", x, y, kColumnWidth, kCellHeight,
                         run.words.insideTitle(track.index, track.tableOffset));
            return;
        default:
            break;
    }
    if (track.records.empty()) {
        run.svg.rect("track ended", x, y, 4 * kMinRecordWidth, kCellHeight,
                     run.words.endedTitle(track.index, track.start));
        return;
    }
    drawCells(run, track, cuts, x, y);
}

int columnLeft(int head) {
    return kMargin + kLabelWidth + head * (kColumnWidth + kColumnGap);
}

void drawPanel(PictureRun& run, int index, int top) {
    const std::int64_t start = run.image.diskStart(index);
    if (!run.image.selectDisk(index)) {
        run.svg.text("title", kMargin, top + 14,
                     run.words.unreadablePanel(index, run.image.diskCount(), start));
        return;
    }
    const d88cut::Identification identification = identifyAsD88Cut(run.image, run.scratch);
    CutRecords cuts;
    collectCuts(run.image, identification, cuts);
    readDiskTracks(run.image, start, run.tracks);
    const d88::DiskHeader& header = run.image.diskHeader();
    const bool shortTable = header.trackTableEntries() == d88::DiskHeader::kShortTrackCount;
    run.svg.text("title", kMargin, top + 14,
                 run.words.panelTitle(index, run.image.diskCount(), start, nameAsUtf8(header.name),
                                      run.words.kind(identification), shortTable));
    for (int head = 0; head < 2; ++head) {
        run.svg.text("label", columnLeft(head), top + kPanelHeading - 4, run.words.head(head));
    }
    for (int cylinder = 0; cylinder < kCylinders; ++cylinder) {
        run.svg.text("label", kMargin, top + kPanelHeading + cylinder * kRowPitch + kCellHeight,
                     format("C%llu", static_cast<unsigned>(cylinder)));
    }
    for (const TrackRecords& track : run.tracks) {
        if (!track.inTable) {
            continue;
        }
        const d88::TrackAddress address = d88::TrackAddress::ofIndex(track.index);
        const int y = top + kPanelHeading + address.cylinder() * kRowPitch;
        drawTrack(run, track, cuts, columnLeft(address.head()), y);
    }
}

// The classes of the legend's track entries, in TrackKey's order.
constexpr const char* kTrackKeyClasses[kTrackKeyCount] = {
    "key summary", "key absent", "key beyond",     "key inside",
    "key ended",   "key capped", "key normal cut", "key normal cutop"};

constexpr int kLegendEntries = kRecordStateCount + kTrackKeyCount;
constexpr int kLegendRows = (kLegendEntries + kLegendColumns - 1) / kLegendColumns;
constexpr int kPanelsTop = kLegendTop + kLegendRows * kLegendPitch + kPanelGap;

void drawLegendEntry(PictureRun& run, int entry, const std::string& cls, const std::string& words) {
    const int x = kMargin + (entry % kLegendColumns) * kLegendColumnWidth;
    const int y = kLegendTop + (entry / kLegendColumns) * kLegendPitch;
    run.svg.rect(cls.c_str(), x, y, 16, kCellHeight + 2, "");
    run.svg.text("legend", x + 22, y + kCellHeight + 1, words);
}

void drawLegend(PictureRun& run, int diskCount) {
    run.svg.text("title", kMargin, 18, run.words.legendTitle(diskCount, run.image.fileSize()));
    run.svg.beginGroup("legend");
    int entry = 0;
    for (int state = 0; state < kRecordStateCount; ++state) {
        drawLegendEntry(run, entry++, std::string("key ") + kStateClasses[state],
                        run.words.stateKey(static_cast<RecordState>(state)));
    }
    for (int key = 0; key < kTrackKeyCount; ++key) {
        drawLegendEntry(run, entry++, kTrackKeyClasses[key],
                        run.words.trackKey(static_cast<TrackKey>(key)));
    }
    run.svg.endGroup();
}

}  // namespace

void writePicture(std::FILE* out, d88::D88Image& image, std::uint8_t* scratch, DiskTracks& tracks,
                  PictureLanguage language) {
    const PictureWords words(language);
    PictureRun run{SvgWriter(out), words, image, scratch, tracks, kPictureBudget};
    const int diskCount = image.diskCount();
    const int height = kPanelsTop + diskCount * kPanelHeight + kMargin;
    run.svg.begin(kPictureWidth, height, words.documentTitle(diskCount), kStyle);
    drawLegend(run, diskCount);
    run.svg.beginGroup("disks");
    for (int index = 0; index < diskCount; ++index) {
        drawPanel(run, index, kPanelsTop + index * kPanelHeight);
    }
    run.svg.endGroup();
    run.svg.end();
}

}  // namespace d88info
