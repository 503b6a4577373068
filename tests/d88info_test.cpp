// d88info run as a user runs it, on images made with the builder: its output
// compared as text, and the exit status.
#include <gtest/gtest.h>

#include <algorithm>
#include <iostream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "ImageBuilder.h"
#include "ImageRecipes.h"
#include "JsonCheck.h"
#include "ToolRun.h"
#include "XmlCheck.h"
#include "d88/D88Image.h"
#include "info/DiskSummary.h"
#include "info/FileOutcomes.h"
#include "info/FilesListing.h"
#include "info/InfoWindow.h"
#include "system/ConsoleText.h"

namespace {

using d88mk::Bytes;
using d88mk::DiskBuilder;
using d88mk::Record;
using d88mk::SetDisk;
using d88test::ToolResult;
using d88test::XmlElement;
using Lines = std::vector<std::string>;

const std::string kUsage =
    "usage: d88info [-v] [--utf8] [-x TRACK,R[,N]|C/H/R[/N]] IMAGE\n"
    "       d88info --svg [--lang en|ja] IMAGE\n"
    "       d88info --files [--json] [--utf8] [--lang en|ja] IMAGE [-op | 1..8]\n";

ToolResult info(const Bytes& image, std::vector<std::string> options = {}) {
    d88test::ScratchDir dir;
    d88mk::writeFile(dir.file("disk.d88"), image);
    options.push_back("disk.d88");
    return d88test::runTool(D88INFO_PATH, options, dir.path());
}

// The lines of `text` that start with one of `prefixes`.
Lines linesStarting(const std::string& text, const Lines& prefixes) {
    Lines lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        for (const std::string& prefix : prefixes) {
            if (line.compare(0, prefix.size(), prefix) == 0) {
                lines.push_back(line);
                break;
            }
        }
    }
    return lines;
}

// The lines after the disks: those that are neither part of a disk nor the
// image line.
Lines afterTheDisks(const std::string& text) {
    Lines lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        const bool heading = line.find(" bytes, whole") != std::string::npos ||
                             line.find(" bytes, the file holds only ") != std::string::npos;
        if (!line.empty() && line[0] != ' ' && line.compare(0, 6, "image:") != 0 && !heading) {
            lines.push_back(line);
        }
    }
    return lines;
}

// The picture d88info --svg draws of `image`, parsed; a failure when it is not
// well-formed XML.
XmlElement picture(const Bytes& image) {
    const ToolResult run = info(image, {"--svg"});
    EXPECT_EQ(run.exitStatus, 0);
    XmlElement root;
    std::string error;
    EXPECT_TRUE(d88test::parseXml(run.out, root, error)) << error;
    EXPECT_EQ(root.name, "svg");
    return root;
}

// The title of an element, or "".
std::string titleOf(const XmlElement& element) {
    for (const XmlElement& child : element.children) {
        if (child.name == "title") {
            return child.text;
        }
    }
    return "";
}

// Every element of the tree under `element` with `name`.
void findAll(const XmlElement& element, const std::string& name,
             std::vector<const XmlElement*>& found) {
    if (element.name == name) {
        found.push_back(&element);
    }
    for (const XmlElement& child : element.children) {
        findAll(child, name, found);
    }
}

using Counts = std::map<std::string, std::size_t>;

// The records of each state the picture draws (a cell titled "...: 5 records
// ..." stands for five, a summary cell for the counts in its title), "cut"
// and "cutop" for the outlined records, "summary" for the summary cells, and
// the tracks drawn absent, beyond the disk or past the end of the file.
Counts pictureCounts(const XmlElement& root) {
    const std::map<std::string, std::string> summaryWords = {
        {"normal", "normal"},
        {"deleted-data mark", "deleted"},
        {"ID or data CRC error", "crc"},
        {"no address or data mark", "nomark"},
        {"other status or mark", "other"},
        {"cut off by the end of the file", "cutoff"}};
    std::vector<const XmlElement*> rects;
    findAll(root, "rect", rects);
    Counts counts;
    for (const XmlElement* rect : rects) {
        std::istringstream classes(rect->attributes.count("class") ? rect->attributes.at("class")
                                                                   : "");
        std::string kind, state, cut;
        classes >> kind >> state >> cut;
        const std::string title = titleOf(*rect);
        const std::size_t colon = title.find(": ");
        if (kind == "track") {
            ++counts[state];
        } else if (kind == "rec" && state == "summary") {
            ++counts["summary"];
            // "track 0 (C0 H0): 130 records: 65 normal, 65 ID or data CRC error"
            std::istringstream parts(title.substr(title.find(": ", colon + 2) + 2));
            for (std::string part; std::getline(parts, part, ',');) {
                std::istringstream words(part);
                std::size_t count = 0;
                std::string name;
                words >> count >> std::ws;
                std::getline(words, name);
                EXPECT_EQ(summaryWords.count(name), 1u) << title;
                counts[summaryWords.count(name) ? summaryWords.at(name) : name] += count;
            }
        } else if (kind == "rec") {
            std::size_t records = 1;
            std::istringstream(title.substr(colon + 2)) >> records;
            records = title.compare(colon + 2, 1, "C") == 0 ? 1 : records;
            counts[state] += records;
            if (!cut.empty()) {
                counts[cut] += records;
            }
        }
    }
    return counts;
}

// The same counts from the -v listing's words: a record whose data runs past
// the end of the file is cut off, else its status and mark decide; and the
// tracks whose walk goes on past the records shown.
Counts listingCounts(const std::string& listing) {
    Counts counts;
    std::istringstream in(listing);
    long long fileSize = 0;
    for (std::string line; std::getline(in, line);) {
        std::istringstream words(line);
        std::string first;
        words >> first;
        unsigned h, r, n, count, length, present, tracks;
        std::string data, density, mark, status, of;
        if (first == "image:") {
            std::istringstream(line.substr(7)) >> fileSize;
        } else if (first == "tracks:" && (words >> present >> of >> tracks)) {
            counts["absent"] += tracks - present;
        } else if (line.find("ask for more than") != std::string::npos) {
            // "  problem: tracks 4-9 (6 tracks): the sector counts ask ..."
            const std::size_t open = line.find(" (");
            counts["capped"] += first == "problem:" && open < line.find("):")
                                    ? std::stoul(line.substr(open + 2))
                                    : 1;
        } else if (first == "track") {
            counts["beyond"] += line.find("beyond the disk, not read") != std::string::npos;
            counts["inside"] += line.find("inside the header, not read") != std::string::npos;
            counts["ended"] += line.find(": 0 records") != std::string::npos;
        } else if (!first.empty() && std::isdigit(static_cast<unsigned char>(first[0])) &&
                   (words >> h >> r >> n >> count >> length >> data >> density >> mark >>
                    std::ws) &&
                   std::getline(words, status)) {
            const long long end = std::stoll(data, nullptr, 16) + length;
            std::string state = "normal";
            if (end > fileSize) {
                state = "cutoff";
            } else if (status == "ID CRC error" || status == "data CRC error") {
                state = "crc";
            } else if (status == "no address mark" || status == "no data mark") {
                state = "nomark";
            } else if ((status != "normal" && status != "normal, deleted data") ||
                       (mark != "-" && mark != "deleted")) {
                state = "other";
            } else if (mark == "deleted" || status == "normal, deleted data") {
                state = "deleted";
            }
            ++counts[state];
        }
    }
    return counts;
}

// The picture draws every record and track in the state the -v listing says.
void expectPictureAgreesWithListing(const Bytes& image, const std::string& label) {
    Counts drawn = pictureCounts(picture(image));
    drawn.erase("cut");
    drawn.erase("cutop");
    drawn.erase("summary");
    Counts listed = listingCounts(info(image, {"-v"}).out);
    for (auto it = listed.begin(); it != listed.end();) {
        it = it->second == 0 ? listed.erase(it) : std::next(it);
    }
    EXPECT_EQ(drawn, listed) << label;
}

Record record(int c, int h, int r, int n, Bytes data, int sectorCount = -1) {
    return d88mk::makeRecord(c, h, r, n, std::move(data), sectorCount);
}

// Two 256-byte sectors R1, R2 on track 0: 688 + 2 x (16 + 256) = 1232 bytes.
DiskBuilder smallDisk() {
    DiskBuilder disk;
    disk.fillTrack(0, 1, 2, 1);
    return disk;
}

TEST(D88Info, ShowsTheDiskHeaderAndWhatIdentificationSees) {
    // 688 + 2 x 16 x (16 + 256) + 5 x (16 + 1024) = 14592 bytes.
    DiskBuilder disk = d88mk::setDisk(SetDisk::OpeningDisk, 3);
    disk.setName("A\x01\xFF\"\\BCDEFGHIJKLMNOPQ").setMedia(0x20).setWriteProtect(0x10);
    const ToolResult run = info(disk.build());
    EXPECT_EQ(run.exitStatus, 0);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out,
              "image: 14592 bytes, 1 disk\n"
              "\n"
              "disk 0 at offset 0x00000000: 14592 bytes, whole\n"
              "  name: \"A\\x01\\xFF\\x22\\x5CBCDEFGHIJKL\"\n"
              "  media: 2HD (0x20)\n"
              "  write-protect: yes (0x10)\n"
              "  probes on track 1: R1 N1 present (sum 30971); R16 N3 absent; R32 N3 absent; "
              "R48 N3 absent; R80 N3 absent\n"
              "  kind: Opening Disk\n"
              "  tracks: 3 of 164 present\n"
              "  layout: tracks 0-1: 16 x R1-16 N1; track 2: 5 x R0-4 N3\n");

    const std::pair<int, std::string> media[] = {
        {0x00, "2D (0x00)"}, {0x10, "2DD (0x10)"}, {0x30, "0x30"}, {0xFF, "0xFF"}};
    for (const auto& [code, text] : media) {
        const ToolResult shown = info(smallDisk().setMedia(code).build());
        EXPECT_EQ(linesStarting(shown.out, {"  media", "  write"}),
                  (Lines{"  media: " + text, "  write-protect: no"}));
    }
}

// A name that is Shift_JIS text is shown decoded where the output can show
// it, or in UTF-8 when --utf8 asks; anywhere else, and for a name that is not
// Shift_JIS text, as plain ASCII with escapes.
TEST(D88Info, ShowsShiftJisNamesDecodedWhereTheyCanBeShown) {
    const std::string soft = "\x83\x5C\x83\x74\x83\x67";  // ソフト: 0x5C is no '\' here
    const std::string softEscaped = "\\x83\\x5C\\x83t\\x83g";
    enum class Shown { File, Utf8File, Utf8Terminal, CTerminal, Svg };
    const struct {
        std::string name;
        Shown shown;
        std::string expected;  // between the quotes
    } cases[] = {
        {soft, Shown::File, softEscaped},
        {soft, Shown::Utf8File, "ソフト"},
        {soft, Shown::Utf8Terminal, "ソフト"},
        {soft, Shown::CTerminal, softEscaped},
        // Half-width katakana; ASCII '"' and '\' stay escaped.
        {"\xB1\xB2 \"A\\", Shown::Utf8File, "ｱｲ \\x22A\\x5C"},
        // Control characters stay escaped, the rest is decoded.
        {"\x87\x40\x01", Shown::Utf8File, "①\\x01"},
        {"AB\x83", Shown::Utf8File, "AB\\x83"},  // a lead byte with no trail byte
        {"\x80"
         "A",
         Shown::Utf8File, "\\x80A"},              // no character of code page 932
        {"\x85\x40", Shown::Utf8File, "\\x85@"},  // a pair that is not assigned
        // The picture's heading shows names as --utf8 does, in well-formed XML.
        {soft + "<&>\"", Shown::Svg, "ソフト<&>\\x22"},
        {"<a>&\x01\x80\xFF", Shown::Svg, "<a>&\\x01\\x80\\xFF"},
        {"A]]>B", Shown::Svg, "A]]>B"},  // no end of a CDATA section in text

        // '~' is shown, DEL is a control character, in either form.
        {"A~\x7F", Shown::File, "A~\\x7F"},
        {"A~\x7F", Shown::Utf8File, "A~\\x7F"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.expected);
        const bool terminal = c.shown == Shown::Utf8Terminal || c.shown == Shown::CTerminal;
        if (terminal && !d88test::canRedirectTo(d88test::OutputTo::Terminal)) {
            continue;  // a Windows console, which tests cannot read back
        }
        d88test::ScratchDir dir;
        DiskBuilder disk = smallDisk();
        disk.setName(c.name);
        d88mk::writeFile(dir.file("disk.d88"), disk.build());
        d88test::RunOptions options;
        std::vector<std::string> args = {"disk.d88"};
        if (c.shown == Shown::Utf8File) {
            args.insert(args.begin(), "--utf8");
        }
        if (terminal) {
            options.stdoutTo = d88test::OutputTo::Terminal;
            options.environment = {c.shown == Shown::Utf8Terminal ? "LC_ALL=C.UTF-8" : "LC_ALL=C"};
        }
        if (c.shown == Shown::Svg) {
            std::vector<const XmlElement*> texts;
            const XmlElement root = picture(disk.build());
            findAll(root, "text", texts);
            const std::string heading =
                "the only disk at offset 0x00000000: \"" + c.expected + "\", unsupported format";
            EXPECT_EQ(std::count_if(texts.begin(), texts.end(),
                                    [&](const XmlElement* text) { return text->text == heading; }),
                      1);
            continue;
        }
        const ToolResult run = d88test::runTool(D88INFO_PATH, args, dir.path(), options);
        EXPECT_EQ(run.exitStatus, 0);
        EXPECT_EQ(linesStarting(run.out, {"  name"}), Lines{"  name: \"" + c.expected + "\""});
    }
}

TEST(D88Info, NamesEveryKindAsD88CutRecognisesIt) {
    std::vector<Bytes> disks;
    for (SetDisk kind : d88mk::kAllSetDisks) {
        disks.push_back(d88mk::setDisk(kind, 2).build());
    }
    DiskBuilder unknownSum = smallDisk();
    unknownSum.addSector(1, 1, 1, d88mk::bytesWithSum(12345));
    disks.push_back(unknownSum.build());
    disks.push_back(smallDisk().build());  // no track 1 at all
    // R1 decides before R80 is looked at, but both are shown.
    DiskBuilder bootAndR80 = smallDisk();
    bootAndR80.addSector(1, 1, 1, d88mk::bytesWithSum(100)).addSector(1, 80, 3, Bytes(1024, 1));
    disks.push_back(bootAndR80.build());
    const Bytes image = d88mk::concat(disks);

    const std::string none = "R1 N1 absent; R16 N3 absent; ";
    const std::string noMore = "R32 N3 absent; R48 N3 absent; R80 N3 absent";
    const Lines expected = {
        "  probes on track 1: R1 N1 present (sum 30971); R16 N3 absent; " + noMore,
        "  kind: Opening Disk",
        "  probes on track 1: R1 N1 present (sum 26825); R16 N3 absent; " + noMore,
        "  kind: Program Disk",
        "  probes on track 1: R1 N1 present (sum 27152); R16 N3 absent; " + noMore,
        "  kind: Demo Disk 1",
        "  probes on track 1: R1 N1 absent; R16 N3 present (sum 53747); " + noMore,
        "  kind: Data Disk 1",
        "  probes on track 1: R1 N1 absent; R16 N3 present (sum 65280); " + noMore,
        "  kind: Demo Disk 2",
        "  probes on track 1: " + none + "R32 N3 present; R48 N3 absent; R80 N3 absent",
        "  kind: Data Disk 2",
        "  probes on track 1: " + none + "R32 N3 absent; R48 N3 present; R80 N3 absent",
        "  kind: Data Disk 3",
        "  probes on track 1: " + none + "R32 N3 absent; R48 N3 absent; R80 N3 present",
        "  kind: Visual Disk",
        "  probes on track 1: R1 N1 present (sum 12345); R16 N3 absent; " + noMore,
        "  kind: not recognised",
        "  probes on track 1: " + none + noMore,
        "  kind: unsupported format",
        "  probes on track 1: R1 N1 present (sum 100); R16 N3 absent; R32 N3 absent; "
        "R48 N3 absent; R80 N3 present",
        "  kind: not recognised",
    };
    const ToolResult run = info(image);
    EXPECT_EQ(run.exitStatus, 0);
    EXPECT_EQ(linesStarting(run.out, {"  probes", "  kind"}), expected);

    // d88cut on the same image recognises the same disks in the same order.
    d88test::ScratchDir dir;
    d88mk::writeFile(dir.file("disk.d88"), image);
    const ToolResult cut = d88test::runTool(D88CUT_PATH, {"disk.d88"}, dir.path());
    const std::string suffix = d88test::cp932(" を認識しました.");
    Lines cutKinds;
    for (const std::string& line : linesStarting(cut.out, {""})) {
        if (line.size() > suffix.size() &&
            line.compare(line.size() - suffix.size(), suffix.size(), suffix) == 0) {
            cutKinds.push_back("  kind: " + line.substr(0, line.size() - suffix.size()));
        }
    }
    Lines infoKinds = linesStarting(run.out, {"  kind"});
    infoKinds.erase(infoKinds.begin() + 8, infoKinds.end());
    EXPECT_EQ(cutKinds, infoKinds);
    // These disks hold their probe sectors alone: no file is on them.
    std::string notCut;
    for (const char* kind : {"Opening Disk", "Program Disk", "Demo Disk 1", "Demo Disk 2",
                             "Data Disk 3", "Visual Disk"}) {
        notCut += d88test::noneCut(kind);
    }
    EXPECT_EQ(cut.err, notCut + d88test::cp932("未対応の形式です.\n"));
}

TEST(D88Info, SummarisesNeighbouringTracksThatHoldTheSameSectors) {
    DiskBuilder gaps;
    gaps.fillTrack(0, 1, 16, 1).fillTrack(2, 0, 4, 3).fillTrack(3, 0, 4, 3);
    // Out of order, R1 twice, and a sector of another size on the same track.
    DiskBuilder mixed;
    for (int track : {5, 6, 163}) {
        for (int r : {3, 1, 2}) {
            mixed.addSector(track, r, 1, Bytes(256, 0));
        }
        mixed.addSector(track, 9, 3, Bytes(1024, 0)).addSector(track, 1, 1, Bytes(256, 0));
    }
    // Two sides of two cylinders, each track's sectors stored interleaved.
    DiskBuilder interleaved;
    for (int track = 0; track < 4; ++track) {
        for (int r : {1, 3, 5, 2, 4, 6}) {
            interleaved.addSector(track, r, 1, Bytes(256, 0));
        }
    }
    // One side only: the even track indexes, H 0.
    DiskBuilder oneSide;
    oneSide.fillTrack(0, 1, 2, 3).fillTrack(2, 1, 2, 3).fillTrack(4, 1, 2, 3);
    // Regular but for one thing each.
    DiskBuilder shortTrack;
    shortTrack.fillTrack(0, 1, 4, 1)
        .fillTrack(1, 1, 4, 1)
        .fillTrack(2, 1, 3, 1)
        .fillTrack(3, 1, 4, 1);
    DiskBuilder missingTrack;
    missingTrack.fillTrack(0, 1, 4, 1).fillTrack(1, 1, 4, 1).fillTrack(3, 1, 4, 1);
    DiskBuilder otherCylinder;
    otherCylinder.fillTrack(0, 1, 2, 1).addRecord(1, record(5, 1, 1, 1, Bytes(256, 0)));
    otherCylinder.addRecord(1, record(5, 1, 2, 1, Bytes(256, 0)));
    DiskBuilder shortData;
    shortData.fillTrack(0, 1, 1, 1).addSector(0, 2, 1, Bytes(255, 0));
    DiskBuilder twice;
    twice.fillTrack(0, 1, 2, 0).addSector(0, 2, 0, Bytes(128, 0));
    const struct {
        DiskBuilder disk;
        Lines expected;
    } cases[] = {
        {gaps,
         {"  tracks: 3 of 164 present",
          "  layout: track 0: 16 x R1-16 N1; tracks 2-3: 5 x R0-4 N3"}},
        {interleaved,
         {"  tracks: 4 of 164 present", "  layout: tracks 0-3: 6 x N1, order 1 3 5 2 4 6",
          "  geometry: 2 cylinders x 2 heads x 6 sectors x 256 bytes = 6144 bytes"}},
        {oneSide,
         {"  tracks: 3 of 164 present",
          "  layout: track 0: 2 x R1-2 N3; track 2: 2 x R1-2 N3; track 4: 2 x R1-2 N3",
          "  geometry: 3 cylinders x 1 head x 2 sectors x 1024 bytes = 6144 bytes"}},
        {shortTrack,
         {"  tracks: 4 of 164 present",
          "  layout: tracks 0-1: 4 x R1-4 N1; track 2: 3 x R1-3 N1; track 3: 4 x R1-4 N1"}},
        {missingTrack,
         {"  tracks: 3 of 164 present", "  layout: tracks 0-1: 4 x R1-4 N1; track 3: 4 x R1-4 N1"}},
        {otherCylinder, {"  tracks: 2 of 164 present", "  layout: tracks 0-1: 2 x R1-2 N1"}},
        {shortData, {"  tracks: 1 of 164 present", "  layout: track 0: 2 x R1-2 N1"}},
        {twice, {"  tracks: 1 of 164 present", "  layout: track 0: 3 x R1-2 N0"}},
        {mixed,
         {"  tracks: 3 of 164 present",
          "  layout: tracks 5-6: 4 x R1-3 N1 + 1 x R9 N3, order 3 1 2 9 1; track 163: 4 x R1-3 N1 "
          "+ 1 x R9 N3, order 3 1 2 9 1"}},
        {DiskBuilder(), {"  tracks: 0 of 164 present"}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(linesStarting(info(c.disk.build()).out, {"  tracks", "  layout", "  geometry"}),
                  c.expected);
    }
}

TEST(D88Info, ShowsDamagedTracksAsFarAsTheyGoAndNamesTheProblem) {
    // Track 1 starts exactly at the end of the disk (read, but nothing is
    // there), track 2 one byte beyond it (not read).
    DiskBuilder edge = smallDisk();
    edge.setTrackOffset(1, 1232).setTrackOffset(2, 1233);
    // The walk ends where a record's own count says it is the last one.
    DiskBuilder counts;
    counts.addRecord(0, record(0, 0, 1, 1, Bytes(256, 0), 3))
        .addRecord(0, record(0, 0, 2, 1, Bytes(256, 0), 2))
        .addRecord(0, record(0, 0, 3, 1, Bytes(256, 0), 3));
    DiskBuilder countZero;
    countZero.addRecord(0, record(0, 0, 1, 1, Bytes(256, 0), 0))
        .addRecord(0, record(0, 0, 2, 1, Bytes(256, 0), 0));
    // A count of 0 on a record the file ends in, right after its header.
    Bytes countZeroCutOff =
        DiskBuilder().addRecord(0, d88mk::makeRecord(0, 0, 1, 1, {}, 0, 1024)).build();
    countZeroCutOff[0x1C] = 0xC0;  // disk size 1,728: the whole record
    countZeroCutOff[0x1D] = 0x06;
    // The second disk's last sector is cut 100 bytes into its data.
    DiskBuilder second = smallDisk();
    second.fillTrack(1, 1, 2, 1);
    Bytes cutShort = d88mk::concat({smallDisk().build(), second.build()});
    cutShort.resize(cutShort.size() - 156);
    DiskBuilder pastEnd = smallDisk();
    pastEnd.setDiskSize(1222);
    // Tracks 0-9 of two sectors, the file cut 100 bytes into track 3's second
    // sector: the tracks after it are all cut off alike.
    DiskBuilder tenTracks;
    for (int track = 0; track < 10; ++track) {
        tenTracks.fillTrack(track, 1, 2, 1);
    }
    Bytes truncated = tenTracks.build();
    truncated.resize(tenTracks.trackStart(3) + 272 + 16 + 100);
    // The same, cut 8 bytes into track 3's second record header.
    Bytes cutInHeader = tenTracks.build();
    cutInHeader.resize(tenTracks.trackStart(3) + 272 + 8);
    // Tracks 1 and 2 beyond the disk at the same offset, track 3 at another.
    DiskBuilder beyond = smallDisk();
    beyond.setTrackOffset(1, 5000).setTrackOffset(2, 5000).setTrackOffset(3, 6000);
    // Tracks 1 and 3 beyond the disk at the same offset, track 2 between them whole.
    DiskBuilder apart = smallDisk();
    apart.fillTrack(2, 1, 2, 1).setTrackOffset(1, 5000).setTrackOffset(3, 5000);
    // Offsets into the disk's own header are not walked; 688, where it ends, is track 0's.
    DiskBuilder inHeader = smallDisk();
    inHeader.setTrackOffset(1, 16).setTrackOffset(2, 687).setTrackOffset(3, 688);
    // A disk smaller than its header: an offset inside the header is also
    // beyond the disk, and is said to be inside the header.
    DiskBuilder belowHeader = smallDisk();
    belowHeader.setDiskSize(600).setTrackOffset(1, 640);
    // Counts that never end the walk: 257 records without data, 16 bytes each.
    DiskBuilder endless;
    for (int i = 0; i < 257; ++i) {
        endless.addRecord(0, record(0, 0, i % 256, 0, {}, 300));
    }
    const struct {
        const char* name;
        Bytes image;
        Lines expected;
    } cases[] = {
        {"track at and beyond the disk's end",
         edge.build(),
         {"disk 0 at offset 0x00000000: 1232 bytes, whole",
          "  layout: track 0: 2 x R1-2 N1; track 1: no records; track 2: beyond the disk",
          "  problem: track 1: record 0 cut off by the end of the file (header)",
          "  problem: track 2: offset 1233 is beyond the disk (1232 bytes), not read"}},
        {"counts that disagree",
         counts.build(),
         {"disk 0 at offset 0x00000000: 1504 bytes, whole", "  layout: track 0: 2 x R1-2 N1",
          "  problem: track 0: sector counts disagree (record 0 says 3, record 1 says 2)"}},
        {"count 0",
         countZero.build(),
         {"disk 0 at offset 0x00000000: 1232 bytes, whole", "  layout: track 0: 1 x R1 N1",
          "  problem: track 0: record 0 has sector count 0, the track ends there"}},
        {"count 0 on a record cut off by the end of the file",
         countZeroCutOff,
         {"disk 0 at offset 0x00000000: 1728 bytes, the file holds only 704",
          "  layout: track 0: 1 x R1 N1",
          "  problem: track 0: record 0 has sector count 0, the track ends there",
          "  problem: track 0: record 0 cut off by the end of the file (0 of 1024 data bytes)"}},
        {"file cut off inside the second disk",
         cutShort,
         {"disk 0 at offset 0x00000000: 1232 bytes, whole", "  layout: track 0: 2 x R1-2 N1",
          "  geometry: 1 cylinder x 1 head x 2 sectors x 256 bytes = 512 bytes",
          "disk 1 at offset 0x000004D0: 1776 bytes, the file holds only 1620",
          "  layout: tracks 0-1: 2 x R1-2 N1",
          "  problem: track 1: record 1 cut off by the end of the file (100 of 256 data bytes)"}},
        {"tracks cut off alike by the end of the file",
         truncated,
         {"disk 0 at offset 0x00000000: 6128 bytes, the file holds only 2708",
          "  layout: tracks 0-3: 2 x R1-2 N1; tracks 4-9: no records",
          "  problem: track 3: record 1 cut off by the end of the file (100 of 256 data bytes)",
          "  problem: tracks 4-9 (6 tracks): record 0 cut off by the end of the file (header)"}},
        {"tracks beyond the disk",
         beyond.build(),
         {"disk 0 at offset 0x00000000: 1232 bytes, whole",
          "  layout: track 0: 2 x R1-2 N1; tracks 1-3: beyond the disk",
          "  problem: tracks 1-2 (2 tracks): offset 5000 is beyond the disk (1232 bytes), not read",
          "  problem: track 3: offset 6000 is beyond the disk (1232 bytes), not read"}},
        {"record header cut off by the end of the file",
         cutInHeader,
         {"disk 0 at offset 0x00000000: 6128 bytes, the file holds only 2600",
          "  layout: tracks 0-2: 2 x R1-2 N1; track 3: 1 x R1 N1; tracks 4-9: no records",
          "  problem: track 3: record 1 cut off by the end of the file (header)",
          "  problem: tracks 4-9 (6 tracks): record 0 cut off by the end of the file (header)"}},
        {"the same problem on tracks apart",
         apart.build(),
         {"disk 0 at offset 0x00000000: 1776 bytes, whole",
          "  layout: track 0: 2 x R1-2 N1; track 1: beyond the disk; track 2: 2 x R1-2 N1; track "
          "3: beyond the disk",
          "  problem: track 1: offset 5000 is beyond the disk (1776 bytes), not read",
          "  problem: track 3: offset 5000 is beyond the disk (1776 bytes), not read"}},
        {"track offsets inside the header",
         inHeader.build(),
         {"disk 0 at offset 0x00000000: 1232 bytes, whole",
          "  layout: track 0: 2 x R1-2 N1; tracks 1-2: inside the header; track 3: 2 x R1-2 N1",
          "  problem: track 1: offset 16 lies inside the header, not read",
          "  problem: track 2: offset 687 lies inside the header, not read"}},
        {"a track inside the header of a disk smaller than a header",
         belowHeader.build(),
         {"disk 0 at offset 0x00000000: 600 bytes, whole",
          "  layout: track 0: beyond the disk; track 1: inside the header",
          "  problem: track 0: offset 688 is beyond the disk (600 bytes), not read",
          "  problem: track 1: offset 640 lies inside the header, not read"}},
        {"record past the disk's end",
         pastEnd.build(),
         {"disk 0 at offset 0x00000000: 1222 bytes, whole", "  layout: track 0: 2 x R1-2 N1",
          "  problem: track 0: record 1 runs past the end of the disk"}},
        {"counts that never end the walk",
         endless.build(),
         {"disk 0 at offset 0x00000000: 4800 bytes, whole", "  layout: track 0: 256 x R0-255 N0",
          "  problem: track 0: the sector counts ask for more than 256 records, shown up to "
          "there"}},
    };
    for (const auto& c : cases) {
        const ToolResult run = info(c.image, {"-v", "-x", "0,2,1"});
        EXPECT_EQ(run.exitStatus, 0) << c.name;
        EXPECT_EQ(linesStarting(run.out, {"disk", "  layout", "  geometry", "  problem"}),
                  c.expected)
            << c.name;
        expectPictureAgreesWithListing(c.image, c.name);
    }
    // d88cut's search stops where the counts end the walk: R3 cannot be found.
    EXPECT_EQ(linesStarting(info(counts.build(), {"-x", "0,3,1"}).out, {"  sector"}),
              Lines{"  sector on track 0 (C0 H0) R3 N1: no such sector"});
}

// The picture: every record in the state the -v listing names, absent tracks,
// tracks beyond the disk and past the end of the file drawn as such, a track
// of too many cells as one, and the records d88cut cuts outlined.
TEST(D88Info, DrawsEveryRecordAndTrackInTheStateTheListingNames) {
    DiskBuilder alternating;
    for (int r = 0; r < 130; ++r) {
        Record marked = record(0, 0, r, 0, Bytes(128, 0));
        marked.status = r % 2 == 0 ? 0x00 : 0xA0;
        alternating.addRecord(0, marked);
    }
    alternating.fillTrack(1, 1, 3, 1);
    // A track of 64 cells is drawn cell by cell, one of 65 as one cell.
    const auto alternatingCells = [](int cells, int tracks) {
        DiskBuilder disk;
        for (int track = 0; track < tracks; ++track) {
            for (int r = 0; r < cells; ++r) {
                Record marked = record(track / 2, track % 2, r, 0, {});
                marked.status = r % 2 == 0 ? 0x00 : 0xA0;
                disk.addRecord(track, marked);
            }
        }
        return disk.build();
    };

    const struct {
        const char* name;
        Bytes image;
        Counts drawn;  // some of the counts the picture must show
    } cases[] = {
        {"damage of every kind",
         d88mk::damagedImage(),
         {{"crc", 2},
          {"deleted", 1},
          {"nomark", 2},
          {"other", 1},
          {"cutoff", 1},
          {"beyond", 1},
          {"ended", 42}}},
        {"a track of too many cells",
         alternating.build(),
         {{"normal", 68}, {"crc", 65}, {"summary", 1}}},
        {"a track of 64 cells", alternatingCells(64, 1), {{"summary", 0}, {"crc", 32}}},
        {"a track of 65 cells", alternatingCells(65, 1), {{"summary", 1}, {"crc", 32}}},
    };
    for (const auto& c : cases) {
        expectPictureAgreesWithListing(c.image, c.name);
        const Counts drawn = pictureCounts(picture(c.image));
        for (const auto& [state, count] : c.drawn) {
            EXPECT_EQ(drawn.count(state) ? drawn.at(state) : 0, count) << c.name << ": " << state;
        }
    }

    // 3 disks of 164 tracks of 64 cells: more than the about 30,000 cells the
    // picture holds, so the tracks drawn once they are spent are summarised.
    const Bytes overBudget = alternatingCells(64, 164);
    const Bytes threeDisks = d88mk::concat({overBudget, overBudget, overBudget});
    expectPictureAgreesWithListing(threeDisks, "more cells than the picture holds");
    const XmlElement crowded = picture(threeDisks);
    std::vector<const XmlElement*> rects;
    findAll(crowded, "rect", rects);
    std::size_t cells = 0;
    std::vector<std::string> summarised;
    for (const XmlElement* rect : rects) {
        const std::string cls = rect->attributes.count("class") ? rect->attributes.at("class") : "";
        cells += cls == "rec normal" || cls == "rec crc";
        if (cls == "rec summary") {
            summarised.push_back(titleOf(*rect));
        }
    }
    EXPECT_LE(cells, 30000u);
    EXPECT_GT(cells, 29000u);
    EXPECT_EQ(summarised.size() * 64 + cells, 3u * 164 * 64);
    // The last disk's last track is among them.
    EXPECT_TRUE(!summarised.empty() && summarised.back().rfind("track 163 (C81 H1): ", 0) == 0);

    // Records d88cut reads whole for the kind; with a sector missing, a run
    // stops there.
    int first = 0;
    int last = 0;
    d88mk::setDiskRange(SetDisk::ProgramDisk, first, last);
    DiskBuilder gaps = d88mk::setDisk(SetDisk::ProgramDisk, 60);
    gaps.dropSector(33, 4);
    const struct {
        const char* name;
        Bytes image;
        std::size_t cut;
        std::size_t cutop;
    } cuts[] = {
        // MUSDRV's 5 sectors and MP00-MP26's 66, none read twice.
        {"Program Disk", d88mk::setDisk(SetDisk::ProgramDisk, 60).build(), 71, 0},
        // MP05 (4 sectors from 33/4) reads nothing, MP06 from 34/3 all.
        {"Program Disk without 33/4", gaps.build(), 67, 0},
        // MO00-MO04 21 sectors; OPDEMO 14 and G_TITLE 13 with -op.
        {"Opening Disk", d88mk::setDisk(SetDisk::OpeningDisk, 60).build(), 21, 27},
        {"Data Disk 1", d88mk::setDisk(SetDisk::DataDisk1, 60).build(), 0, 0},
    };
    for (const auto& c : cuts) {
        const Counts drawn = pictureCounts(picture(c.image));
        EXPECT_EQ(drawn.count("cut") ? drawn.at("cut") : 0, c.cut) << c.name;
        EXPECT_EQ(drawn.count("cutop") ? drawn.at("cutop") : 0, c.cutop) << c.name;
    }
}

// The example picture in docs/ is what d88info draws of the builder's damaged
// image, byte for byte. Made again with:
//   d88mkimage damaged damaged.d88 && d88info --svg damaged.d88 > docs/damaged.svg
TEST(D88Info, DrawsTheDamagedSampleAsTheDocsShowIt) {
    const ToolResult run = info(d88mk::damagedImage(), {"--svg"});
    EXPECT_EQ(run.exitStatus, 0);
    const Bytes docs = d88mk::readFile(D88CUT_DOCS_DIR "/damaged.svg");
    EXPECT_TRUE(run.out == std::string(docs.begin(), docs.end()))
        << "docs/damaged.svg is not what d88info draws now: make it again";

    // In Japanese the same shapes, in the same places and of the same
    // classes; only the words differ.
    const auto shapes = [](const XmlElement& root) {
        std::vector<std::string> found;
        const auto walk = [&](const XmlElement& element, const auto& self) -> void {
            std::string shape = element.name;
            for (const auto& [name, value] : element.attributes) {
                shape += " " + name + "=" + value;
            }
            found.push_back(shape);
            for (const XmlElement& child : element.children) {
                self(child, self);
            }
        };
        walk(root, walk);
        return found;
    };
    const XmlElement english = picture(d88mk::damagedImage());
    const ToolResult japanese = info(d88mk::damagedImage(), {"--svg", "--lang", "ja"});
    XmlElement root;
    std::string error;
    ASSERT_TRUE(d88test::parseXml(japanese.out, root, error)) << error;
    EXPECT_EQ(shapes(root), shapes(english));
    std::vector<const XmlElement*> texts;
    findAll(root, "text", texts);
    std::vector<const XmlElement*> rects;
    findAll(root, "rect", rects);
    const std::string cut =
        "トラック 33 (C16 H1): C16 H1 R2 N3、1024 バイト、倍密度、削除マークなし、データ CRC "
        "エラー。d88cut が切り出す";
    EXPECT_EQ(std::count_if(texts.begin(), texts.end(),
                            [](const XmlElement* text) { return text->text == "レコード: 正常"; }),
              1);
    EXPECT_EQ(std::count_if(rects.begin(), rects.end(),
                            [&](const XmlElement* rect) { return titleOf(*rect) == cut; }),
              1);
    // The legend's title in the 、。 style, its byte count in groups of three.
    const std::regex legendTitle(
        "ディスク 2 枚、[1-9][0-9]{0,2}(,[0-9]{3})+ バイト。セル 1 つが 1 レコード "
        "\\(ポインタを合わせると"
        "ヘッダを表示\\) で、幅はデータの長さ。");
    EXPECT_EQ(std::count_if(texts.begin(), texts.end(),
                            [&](const XmlElement* text) {
                                return std::regex_match(text->text, legendTitle);
                            }),
              1);
}

// Where the picture puts things, and what its titles say: each disk a panel of
// the same height, one after the other, every cylinder a row of it, the
// picture's size and viewBox just holding them all; a record as wide as its
// data; and titles for one record, several, a record cut, one cut only with
// -op and one the file cuts off in the middle of a run that is cut.
TEST(D88Info, PicturePlacesEveryDiskAndTrackAndTitlesEveryCell) {
    DiskBuilder everyTrack;
    for (int track = 0; track < d88mk::DiskBuilder::kTrackCount; ++track) {
        everyTrack.fillTrack(track, 1, 1, 1);
    }
    const Bytes image = d88mk::concat({smallDisk().build(), everyTrack.build(),
                                       d88mk::setDisk(SetDisk::OpeningDisk, 30).build()});
    const XmlElement root = picture(image);
    const auto number = [](const XmlElement& element, const std::string& name) {
        return element.attributes.count(name) ? std::stoi(element.attributes.at(name)) : -1;
    };
    const int width = number(root, "width");
    const int height = number(root, "height");
    EXPECT_EQ(root.attributes.at("viewBox"),
              "0 0 " + std::to_string(width) + " " + std::to_string(height));

    // Each panel starts with its title; the labels C0-C81 of its rows follow.
    std::vector<const XmlElement*> texts;
    findAll(root, "text", texts);
    std::vector<int> panelTops;
    std::vector<std::vector<int>> rows;
    for (const XmlElement* text : texts) {
        if (std::regex_search(text->text, std::regex("^[0-9]+(st|nd|rd|th) disk of 3 at "))) {
            panelTops.push_back(number(*text, "y"));
            rows.emplace_back();
        } else if (!rows.empty() && text->text == "C" + std::to_string(rows.back().size())) {
            rows.back().push_back(number(*text, "y"));
        }
    }
    ASSERT_EQ(panelTops.size(), 3u);
    const int panelHeight = panelTops[1] - panelTops[0];
    EXPECT_EQ(panelTops[2] - panelTops[1], panelHeight);
    const int rowPitch = rows[0][1] - rows[0][0];
    for (std::size_t disk = 0; disk < rows.size(); ++disk) {
        ASSERT_EQ(rows[disk].size(), 82u) << disk;
        EXPECT_EQ(rows[disk][81] - rows[disk][0], 81 * rowPitch) << disk;
        EXPECT_EQ(rows[disk][0] - panelTops[disk], rows[0][0] - panelTops[0]) << disk;
    }
    // The last panel ends inside the picture, which ends soon after it.
    EXPECT_LT(rows[2][81], height);
    EXPECT_LE(height, panelTops[2] + panelHeight);

    // Every cell and track lies in the row of its cylinder, head 0 left of
    // head 1, inside the picture.
    std::vector<const XmlElement*> rects;
    findAll(root, "rect", rects);
    std::map<std::string, const XmlElement*> cells;             // by title
    std::map<std::pair<std::size_t, unsigned>, int> trackLeft;  // by disk and track
    int head0Right = 0;
    for (const XmlElement* rect : rects) {
        const std::string title = titleOf(*rect);
        const int x = number(*rect, "x");
        const int y = number(*rect, "y");
        EXPECT_LE(x + number(*rect, "width"), width) << title;
        EXPECT_LE(y + number(*rect, "height"), height) << title;
        unsigned track = 0;
        unsigned cylinder = 0;
        unsigned head = 0;
        if (std::sscanf(title.c_str(), "track %u (C%u H%u)", &track, &cylinder, &head) != 3) {
            continue;
        }
        // The panel it lies in.
        const auto disk = static_cast<std::size_t>(
            std::upper_bound(panelTops.begin(), panelTops.end(), y) - panelTops.begin() - 1);
        EXPECT_EQ(cylinder, track / 2);
        EXPECT_EQ(head, track % 2);
        // A cell's top lies 8 pixels above its row's label, an absent track's line 5.
        const bool absent = rect->attributes.at("class") == "track absent";
        EXPECT_EQ(rows[disk][cylinder] - y, absent ? 5 : 8) << title;
        trackLeft.emplace(std::pair{disk, track}, x);
        if (head == 0) {
            head0Right = std::max(head0Right, x + number(*rect, "width"));
        }
        cells[title] = rect;
    }
    EXPECT_EQ(trackLeft.size(), 3 * 164u);  // every track of every disk, absent ones too
    // Each track starts at the left of its head's column.
    for (const auto& [where, left] : trackLeft) {
        EXPECT_EQ(left, trackLeft.at({0, where.second % 2})) << where.first << " " << where.second;
    }
    EXPECT_GT(trackLeft.at({0, 1}), head0Right);

    // Titles, and widths: 2 pixels and one per 16 bytes of data a record.
    const std::string normal = " N1, 256 bytes, double, no deleted mark, normal";
    const struct {
        std::string title;
        std::string cls;
        int width;
    } expected[] = {
        {"track 0 (C0 H0): 2 records C0 H0 R1 2 N1, 256 bytes each, double, no deleted mark, "
         "normal",
         "rec normal", 36},
        {"track 163 (C81 H1): C81 H1 R1" + normal, "rec normal", 18},
        {"track 162 (C81 H0): C81 H0 R1" + normal, "rec normal", 18},
        // MO00 from track 8 R0, cut always; OPDEMO from track 2 R0, only with -op.
        {"track 8 (C4 H0): 5 records C4 H0 R0 1 2 3 4 N3, 1024 bytes each, double, no deleted "
         "mark, normal; "
         "cut by d88cut",
         "rec normal cut", 330},
        {"track 2 (C1 H0): 5 records C1 H0 R0 1 2 3 4 N3, 1024 bytes each, double, no deleted "
         "mark, normal; "
         "cut by d88cut with -op",
         "rec normal cutop", 330},
    };
    for (const auto& c : expected) {
        const auto found = cells.find(c.title);
        ASSERT_NE(found, cells.end()) << c.title;
        EXPECT_EQ(found->second->attributes.at("class"), c.cls) << c.title;
        EXPECT_EQ(number(*found->second, "width"), c.width) << c.title;
    }

    // The damaged sample's Demo Disk 1 ends 300 bytes into track 41 R2, the
    // whole of MDEMO108: that record is drawn cut off and not as cut, the
    // records of MDEMO107 before it as cut.
    const XmlElement damaged = picture(d88mk::damagedImage());
    std::vector<const XmlElement*> track41;
    std::vector<const XmlElement*> damagedRects;
    findAll(damaged, "rect", damagedRects);
    for (const XmlElement* rect : damagedRects) {
        if (titleOf(*rect).rfind("track 41 (C20 H1): ", 0) == 0) {
            track41.push_back(rect);
        }
    }
    ASSERT_EQ(track41.size(), 3u);  // one cell of Program Disk's track 41, two of Demo Disk 1's
    EXPECT_EQ(titleOf(*track41[1]),
              "track 41 (C20 H1): 2 records C20 H1 R0 1 N3, 1024 bytes each, double, no deleted "
              "mark, normal; "
              "cut by d88cut");
    EXPECT_EQ(track41[1]->attributes.at("class"), "rec normal cut");
    EXPECT_EQ(titleOf(*track41[2]),
              "track 41 (C20 H1): C20 H1 R2 N3, 1024 bytes, double, no deleted mark, normal; the "
              "file holds only "
              "300 of them");
    EXPECT_EQ(track41[2]->attributes.at("class"), "rec cutoff");
}

TEST(D88Info, VerboseListsEveryRecordOfEveryPresentTrack) {
    DiskBuilder disk;
    Record marked = record(0, 0, 1, 1, Bytes(256, 0));
    marked.density = 0x40;
    marked.deleted = 0x10;
    marked.status = 0xB0;
    // Track 3 is C1 H1 by its index, whatever its record says.
    disk.addRecord(0, marked)
        .addSector(0, 2, 1, Bytes(256, 0))
        .addRecord(3, record(7, 0, 9, 3, Bytes(1024, 0)))
        .setTrackOffset(4, 2273);
    const std::string listing =
        "  track 0 (C0 H0) at 0x000002B0: 2 records\n"
        "      C   H   R   N count length  data        density mark     status\n"
        "      0   0   1   1     2    256  0x000002C0  single  deleted  data CRC error\n"
        "      0   0   2   1     2    256  0x000003D0  double  -        normal\n"
        "  track 3 (C1 H1) at 0x000004D0: 1 record\n"
        "      C   H   R   N count length  data        density mark     status\n"
        "      7   0   9   3     1   1024  0x000004E0  double  -        normal\n"
        "  track 4 (C2 H0): beyond the disk, not read\n";
    const ToolResult run = info(disk.build(), {"-v"});
    EXPECT_EQ(run.exitStatus, 0);
    const std::size_t start = run.out.find("  track 0 (");
    ASSERT_NE(start, std::string::npos) << run.out;
    EXPECT_EQ(run.out.substr(start), listing);
    EXPECT_EQ(info(disk.build()).out.find("  track 0 ("), std::string::npos);
}

// Each record's density, deleted-data mark and status in words, and each
// disk's count of the records that are not plainly normal.
TEST(D88Info, NamesDensityMarksAndStatusInWords) {
    const struct {
        std::uint8_t density;
        std::uint8_t deleted;
        std::uint8_t status;
        std::string words;  // the listing's last three columns
    } records[] = {
        {0x00, 0x00, 0x00, "double  -        normal"},
        {0x40, 0x10, 0x10, "single  deleted  normal, deleted data"},
        {0x01, 0x00, 0xA0, "high    -        ID CRC error"},
        {0x20, 0x01, 0xB0, "0x20    0x01     data CRC error"},
        {0x00, 0x00, 0xE0, "double  -        no address mark"},
        {0x00, 0x00, 0xF0, "double  -        no data mark"},
        {0x00, 0x00, 0x01, "double  -        0x01"},
    };
    DiskBuilder disk;
    Lines listing;
    int r = 0;
    for (const auto& c : records) {
        Record marked = record(0, 0, ++r, 0, Bytes(128, 0));
        marked.density = c.density;
        marked.deleted = c.deleted;
        marked.status = c.status;
        disk.addRecord(0, marked);
        char id[64];
        std::snprintf(id, sizeof id, "      0   0 %3d   0     7    128  0x%08X  ", r,
                      688 + 16 + (r - 1) * 144);
        listing.push_back(id + c.words);
    }
    const ToolResult run = info(disk.build(), {"-v"});
    EXPECT_EQ(linesStarting(run.out, {"      0   0"}), listing);

    // The counts, on each disk of its own; none at all for a normal disk.
    const struct {
        std::vector<std::uint8_t> deleted;
        std::vector<std::uint8_t> status;
        Lines expected;
    } disks[] = {
        {{0x00, 0x00}, {0x00, 0x00}, {}},
        {{0x10, 0x00},
         {0x00, 0xB0},
         {"  status: 1 record with a CRC error, 1 record with a deleted mark"}},
        // A deleted mark as status 0x10 too, but once for a record with both.
        {{0x00, 0x00, 0x00, 0x00, 0x00, 0x10},
         {0xA0, 0xB0, 0x10, 0xE0, 0x44, 0x10},
         {"  status: 2 records with a CRC error, 2 records with a deleted mark, 2 records with "
          "another status"}},
    };
    for (const auto& c : disks) {
        DiskBuilder counted;
        for (std::size_t i = 0; i < c.status.size(); ++i) {
            // Records on two tracks count alike.
            Record marked = record(0, static_cast<int>(i % 2), static_cast<int>(i) + 1, 0, {});
            marked.deleted = c.deleted[i];
            marked.status = c.status[i];
            counted.addRecord(static_cast<int>(i % 2), marked);
        }
        EXPECT_EQ(linesStarting(info(counted.build()).out, {"  status"}), c.expected)
            << c.expected.size();
    }
}

TEST(D88Info, DumpsTheSectorD88CutFindsOnEachDisk) {
    Bytes text = {'0', '1', '2', '3', '4', '5',  '6',  '7',  '8',  '9', 'A',
                  'B', 'C', 'D', 'E', 'F', 0x00, 0x7F, 0x80, 0xFF, 'x'};
    DiskBuilder disk;
    disk.addSector(1, 1, 1, text)
        .addSector(1, 1, 1, Bytes(256, 'y'))  // same ID again: the first one wins
        .addSector(4, 0, 3, {'h', 'i'})
        .addSector(1, 2, 2, {'z', 'z'})  // R2 twice, of two sizes
        .addSector(1, 2, 1, {'w', 'w'})
        .addRecord(5, record(9, 1, 0, 3, Bytes(1024, 0)));  // C differs from the index's
    const Bytes image = d88mk::concat({disk.build(), DiskBuilder().build()});
    // R1 N1 on the first disk, and on the second the sector asked for is not there.
    const auto r1 = [](const std::string& asked) {
        return Lines{
            "  sector on track 1 (C0 H1) R1 N1: 21 bytes",
            "    0000  30 31 32 33 34 35 36 37 38 39 41 42 43 44 45 46  |0123456789ABCDEF|",
            "    0010  00 7F 80 FF 78" + std::string(33, ' ') + "  |....x|",
            "  sector on track 1 (C0 H1) " + asked + ": no such sector"};
    };
    const struct {
        std::string choice;
        Lines expected;
    } cases[] = {
        {"1,1,1", r1("R1 N1")},
        {"0/1/1/1", r1("R1 N1")},  // cylinder 0, head 1: track index 1
        {"1,1", r1("R1")},         // R1 whatever its N
        {"0/1/1", r1("R1")},
        {"1,1,3", Lines(2, "  sector on track 1 (C0 H1) R1 N3: no such sector")},
        {"4,0",
         {"  sector on track 4 (C2 H0) R0 N3: 2 bytes",
          "    0000  68 69" + std::string(42, ' ') + "  |hi|",
          "  sector on track 4 (C2 H0) R0: no such sector"}},
        {"2/0/0/3",
         {"  sector on track 4 (C2 H0) R0 N3: 2 bytes",
          "    0000  68 69" + std::string(42, ' ') + "  |hi|",
          "  sector on track 4 (C2 H0) R0 N3: no such sector"}},
        {"1,2",
         {"  sector on track 1 (C0 H1) R2 N2: 2 bytes",
          "    0000  7A 7A" + std::string(42, ' ') + "  |zz|",
          "  sector on track 1 (C0 H1) R2: no such sector"}},
        {"1,2,1",
         {"  sector on track 1 (C0 H1) R2 N1: 2 bytes",
          "    0000  77 77" + std::string(42, ' ') + "  |ww|",
          "  sector on track 1 (C0 H1) R2 N1: no such sector"}},
        {"5,0,3", Lines(2, "  sector on track 5 (C2 H1) R0 N3: no such sector")},
        // Without N the ID's C and H must still be the track's.
        {"5,0", Lines(2, "  sector on track 5 (C2 H1) R0: no such sector")},
        {"2/1/0", Lines(2, "  sector on track 5 (C2 H1) R0: no such sector")},
    };
    for (const auto& c : cases) {
        const ToolResult run = info(image, {"-x", c.choice});
        EXPECT_EQ(run.exitStatus, 0) << c.choice;
        EXPECT_EQ(linesStarting(run.out, {"  sector", "    "}), c.expected) << c.choice;
    }
}

TEST(D88Info, ReportsUsageErrorsAndUnreadableImagesWithStatus1) {
    d88test::ScratchDir dir;
    d88mk::writeFile(dir.file("disk.d88"), smallDisk().build());
    d88mk::writeFile(dir.file("empty.d88"), {});
    const std::string badX =
        "d88info: -x wants TRACK,R[,N] with TRACK 0-163 or C/H/R[/N] with C 0-81 and H 0-1, R and "
        "N 0-255: ";
    const struct {
        std::vector<std::string> args;
        int status;
        std::string err;  // the first line on standard error; the usage follows
        std::string out;  // the start of standard output
    } cases[] = {
        {{}, 1, "d88info: no image file given\n", ""},
        {{"-q", "disk.d88"}, 1, "d88info: unknown option: -q\n", ""},
        {{"disk.d88", "-x"}, 1, "d88info: -x needs TRACK,R[,N] or C/H/R[/N]\n", ""},
        {{"-x", "164,1", "disk.d88"}, 1, badX + "164,1\n", ""},
        {{"-x", "1,256", "disk.d88"}, 1, badX + "1,256\n", ""},
        {{"-x", "1", "disk.d88"}, 1, badX + "1\n", ""},
        {{"-x", "1,1,1,1", "disk.d88"}, 1, badX + "1,1,1,1\n", ""},
        {{"-x", "1,,3", "disk.d88"}, 1, badX + "1,,3\n", ""},
        {{"-x", "-1,1", "disk.d88"}, 1, badX + "-1,1\n", ""},
        {{"-x", "0001,1", "disk.d88"}, 1, badX + "0001,1\n", ""},
        {{"-x", "0/0/0001", "disk.d88"}, 1, badX + "0/0/0001\n", ""},
        {{"-x", "82/0/1", "disk.d88"}, 1, badX + "82/0/1\n", ""},
        {{"-x", "0/2/1", "disk.d88"}, 1, badX + "0/2/1\n", ""},
        {{"-x", "0/1", "disk.d88"}, 1, badX + "0/1\n", ""},
        {{"-x", "0/1/1/1/1", "disk.d88"}, 1, badX + "0/1/1/1/1\n", ""},
        {{"-x", "0/1/1,1", "disk.d88"}, 1, badX + "0/1/1,1\n", ""},
        {{"disk.d88", "empty.d88"}, 1, "d88info: more than one image file: empty.d88\n", ""},
        {{"missing.d88"}, 1, "d88info: cannot open missing.d88: no such file\n", ""},
        // Names outside ASCII stay UTF-8, on Windows too.
        {{"日本語/missing.d88"}, 1, "d88info: cannot open 日本語/missing.d88: no such file\n", ""},
        {{"-ü", "disk.d88"}, 1, "d88info: unknown option: -ü\n", ""},
        {{"."}, 1, "d88info: cannot open .: not a regular file\n", ""},
        {{d88test::kDeviceName},
         1,
         std::string("d88info: cannot open ") + d88test::kDeviceName + ": not a regular file\n",
         ""},
        {{"-h"}, 0, "", kUsage},
        {{"disk.d88", "-h"}, 0, "", kUsage},
        {{"--version"}, 0, "", "d88info " D88CUT_VERSION "\n"},
        {{"empty.d88"}, 0, "", "image: 0 bytes, 0 disks\n"},
        {{"disk.d88", "-v", "-x", "163,255,255"}, 0, "", "image: 1232 bytes, 1 disk\n"},
        {{"--", "disk.d88"}, 0, "", "image: 1232 bytes, 1 disk\n"},
        {{"-x", "81/1/255/255", "disk.d88"}, 0, "", "image: 1232 bytes, 1 disk\n"},
        {{"--utf8", "disk.d88"}, 0, "", "image: 1232 bytes, 1 disk\n"},
        {{"--svg", "-x", "0,1", "disk.d88"},
         1,
         "d88info: --svg draws every disk and dumps no sector: drop -x\n",
         ""},
        {{"--svg", "missing.d88"}, 1, "d88info: cannot open missing.d88: no such file\n", ""},
        {{"--svg", "-v", "--utf8", "empty.d88"},
         0,
         "",
         "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"},
        {{"--json", "disk.d88"}, 1, "d88info: --json goes with --files\n", ""},
        // --lang says the messages' language everywhere; the -v listing stays English.
        {{"--lang", "ja", "disk.d88"}, 0, "", "image: 1232 bytes, 1 disk\n"},
        {{"--svg", "--lang", "de", "disk.d88"}, 1, "d88info: --lang wants en or ja: de\n", ""},
        {{"--svg", "disk.d88", "--lang"}, 1, "d88info: --lang needs en or ja\n", ""},
        {{"disk.d88", "-op"}, 1, "d88info: -op goes with --files\n", ""},
        {{"disk.d88", "2"}, 1, "d88info: more than one image file: 2\n", ""},
        {{"--files", "--svg", "disk.d88"},
         1,
         "d88info: --files lists the files of each disk: drop --svg\n",
         ""},
        {{"--files", "-v", "disk.d88"},
         1,
         "d88info: --files lists the files of each disk: drop -v\n",
         ""},
        {{"--files", "disk.d88", "9"},
         1,
         "d88info: after the image, -op or a disk number 1-8: 9\n",
         ""},
        {{"--files", "disk.d88", "1", "2"}, 1, "d88info: more than one image file: 2\n", ""},
        {{"--files", "-op", "disk.d88", "2"},
         1,
         "d88info: -op or a disk number, as d88cut takes one of them, not both\n",
         ""},
        // As d88cut takes a disk number: by its first character.
        {{"--files", "disk.d88", "8x"},
         0,
         "",
         "image: 1232 bytes, 1 disk, none of them a disk of the set"},
        {{"disk.d88", "--files", "-op"},
         0,
         "",
         "image: 1232 bytes, 1 disk, none of them a disk of the set"},
        {{"--files", "--json", "empty.d88"}, 0, "", "{\n  \"image\": {\"bytes\": 0, \"disks\": 0"},
    };
    for (const auto& c : cases) {
        const ToolResult run = d88test::runTool(D88INFO_PATH, c.args, dir.path());
        const std::string label = c.args.empty() ? "(none)" : c.args[0] + " ...";
        EXPECT_EQ(run.exitStatus, c.status) << label;
        const bool usageError = c.status == 1 && c.err.find("cannot open") == std::string::npos;
        EXPECT_EQ(run.err, c.err + (usageError ? kUsage : "")) << label;
        EXPECT_EQ(run.out.substr(0, c.out.size()), c.out) << label;
        if (c.out.empty()) {
            EXPECT_EQ(run.out, "") << label;
        }
    }
}

// Every mode checks its own output: a write that fails (a full disk) is said
// once, with status 1, whether it fails in the run or only at its end; a
// reader that goes away (a closed pipe) ends the run quietly.
TEST(D88Info, SaysWhenItsOutputCannotBeWrittenButNotWhenItsReaderLeaves) {
    using d88test::OutputTo;
    d88test::ScratchDir dir;
    d88mk::writeFile(dir.file("disk.d88"), d88mk::damagedImage());
    const std::vector<std::string> modes[] = {{"disk.d88"},
                                              {"-v", "disk.d88"},
                                              {"-x", "1,1,1", "disk.d88"},
                                              {"--svg", "disk.d88"},
                                              {"-h"}};
    for (const OutputTo to : {OutputTo::Full, OutputTo::ClosedPipe}) {
        if (!d88test::canRedirectTo(to)) {
            std::cout << "[  NOTE    ] no /dev/full on this system\n";
            continue;
        }
        for (const std::vector<std::string>& args : modes) {
            SCOPED_TRACE(args[0] + (to == OutputTo::Full ? " > /dev/full" : " | closed pipe"));
            d88test::RunOptions options;
            options.stdoutTo = to;
            const ToolResult run = d88test::runTool(D88INFO_PATH, args, dir.path(), options);
            EXPECT_EQ(run.exitStatus, to == OutputTo::Full ? 1 : 0);
            EXPECT_EQ(run.err,
                      to == OutputTo::Full ? "d88info: cannot write standard output\n" : "");
        }
    }
}

// After the disks, what the index of the disks leaves out of the file.
TEST(D88Info, SaysWhatWasNotIndexed) {
    const Bytes small = smallDisk().build();
    const auto disks = [&](int count, std::size_t zeros) {
        Bytes image = d88mk::concat(std::vector<Bytes>(static_cast<std::size_t>(count), small));
        image.resize(image.size() + zeros, 0);
        return image;
    };
    const std::string heading = "disk size 0: the same header counts again as ";
    const struct {
        const char* name;
        Bytes image;
        Lines expected;
    } cases[] = {
        {"one disk", small, {}},
        {"65 disks",
         disks(65, 0),
         {"disk 64 at offset 0x00013400: not indexed (64 disks at most); 1232 bytes from there "
          "on"}},
        {"64 disks and a byte",
         disks(64, 1),
         {"1 byte at offset 0x00013400: too short to be a disk (a header is 688 bytes)"}},
        {"zeros after the disk",
         disks(1, 2048),
         {"disk 1 at offset 0x000004D0: " + heading + "disks 2-63"}},
        {"64 disks and just a header",
         d88mk::concat({disks(64, 0), Bytes(small.begin(), small.begin() + 688)}),
         {"disk 64 at offset 0x00013400: not indexed (64 disks at most); 688 bytes from there "
          "on"}},
        {"too few zeros after the disk",
         disks(1, 687),
         {"687 bytes at offset 0x000004D0: too short to be a disk (a header is 688 bytes)"}},
        {"size 0 as disk 62",
         disks(62, 688),
         {"disk 62 at offset 0x00012A60: " + heading + "disk 63"}},
        {"size 0 as disk 63",
         disks(63, 688),
         {"disk 63 at offset 0x00012F30: " + heading + "disk 64, not indexed"}},
        {"no disk at all",
         Bytes(100, 0xFF),
         {"100 bytes at offset 0x00000000: too short to be a disk (a header is 688 bytes)"}},
        {"the last disk cut short", Bytes(small.begin(), small.end() - 1), {}},
    };
    for (const auto& c : cases) {
        const ToolResult run = info(c.image);
        EXPECT_EQ(run.exitStatus, 0) << c.name;
        EXPECT_EQ(afterTheDisks(run.out), c.expected) << c.name;
        // An empty line stands between the last disk and what follows.
        if (!c.expected.empty()) {
            EXPECT_NE(run.out.find("\n\n" + c.expected[0] + "\n"), std::string::npos) << c.name;
        }
    }

    // A disk that would start at 2^31, after a bare header that says so.
    d88test::ScratchDir dir;
    DiskBuilder huge;
    huge.setDiskSize(0x80000000U);
    d88test::writeSparseFile(dir.file("far.d88"), 0x80000000LL + 1232,
                             {{0, huge.build()}, {0x80000000LL, small}});
    const ToolResult far = d88test::runTool(D88INFO_PATH, {"far.d88"}, dir.path());
    EXPECT_EQ(linesStarting(far.out, {"image"}), Lines{"image: 2147484880 bytes, 1 disk"});
    EXPECT_EQ(afterTheDisks(far.out),
              Lines{"disk 1 at offset 0x80000000: not indexed (starts at or beyond 2^31); 1232 "
                    "bytes from there on"});
}

// Sizes and offsets past 2^31 and 4 GiB, in a sparse file.
TEST(D88Info, DescribesImagesLargerThan4GiB) {
    d88test::ScratchDir dir;
    d88test::writeFarImage(dir.file("far.d88"));
    const ToolResult run = d88test::runTool(D88INFO_PATH, {"-v", "far.d88"}, dir.path());
    EXPECT_EQ(run.exitStatus, 0);
    EXPECT_EQ(
        linesStarting(run.out, {"image", "disk", "  layout", "  problem", "  track 0"}),
        (Lines{"image: 4563398928 bytes, 2 disks",
               "disk 0 at offset 0x00000000: 2147479552 bytes, whole",
               "disk 1 at offset 0x7FFFF000: 2415919376 bytes, whole",
               "  layout: track 0: 1 x R1 N1", "  track 0 (C0 H0) at 0x10FFFF000: 1 record"}));
}

TEST(D88Info, ShowsRealImagesMadeByOtherTools) {
    const std::string realData = d88test::realDataDir();
    if (realData.empty()) {
        GTEST_SKIP() << "no real images: set D88CUT_REALDATA to their folder";
    }
    const std::string dir = realData + "/";
    const ToolResult run =
        info(d88mk::concat({d88mk::readFile(dir + "HuBASIC_Format_2D.d88"),
                            d88mk::readFile(dir + "CPM_Format_2D_turboCPM_X1turbo.d88")}));
    EXPECT_EQ(run.exitStatus, 0);
    const Lines expected = {
        "image: 697696 bytes, 2 disks",
        "disk 0 at offset 0x00000000: 348848 bytes, whole",
        "  name: \"by_github_ORYZAP\"",
        "  layout: tracks 0-79: 16 x R1-16 N1",
        "  geometry: 40 cylinders x 2 heads x 16 sectors x 256 bytes = 327680 bytes",
        "disk 1 at offset 0x000552B0: 348848 bytes, whole",
        "  name: \"\"",
        "  layout: tracks 0-3: 16 x R1-16 N1; tracks 4-79: 16 x N1, order 1 14 11 8 5 2 "
        "15 12 9 6 3 16 13 10 7 4",
        "  geometry: 40 cylinders x 2 heads x 16 sectors x 256 bytes = 327680 bytes"};
    EXPECT_EQ(linesStarting(run.out, {"image", "disk", "  name", "  layout", "  geometry",
                                      "  problem", "  status"}),
              expected);
    EXPECT_EQ(linesStarting(run.out, {"  media", "  kind"}),
              (Lines{"  media: 2D (0x00)", "  kind: not recognised", "  media: 2D (0x00)",
                     "  kind: not recognised"}));
    EXPECT_EQ(afterTheDisks(run.out), Lines{});

    // R1 of 256 bytes without its N, and a sector of an interleaved track.
    const Bytes cpm = d88mk::readFile(dir + "CPM_Format_2D_turboCPM_X1turbo.d88");
    EXPECT_EQ(linesStarting(info(cpm, {"-x", "0,1"}).out, {"  sector"}),
              Lines{"  sector on track 0 (C0 H0) R1 N1: 256 bytes"});
    EXPECT_EQ(linesStarting(info(cpm, {"-x", "4/1/2"}).out, {"  sector"}),
              Lines{"  sector on track 9 (C4 H1) R2 N1: 256 bytes"});

    // The same disk with the 672-byte header some writers make (every track
    // offset 16 less): 160 entries, of which none is a problem, the same
    // layout and geometry, nothing drawn of entries 160-163, and the same cut.
    const Bytes huBasic = d88mk::readFile(dir + "HuBASIC_Format_2D.d88");
    const Bytes shortHeader = d88mk::withShortHeader(huBasic);
    const std::string shortOut = info(shortHeader).out;
    EXPECT_EQ(
        linesStarting(shortOut, {"disk", "  track", "  layout", "  geometry", "  problem"}),
        (Lines{"disk 0 at offset 0x00000000: 348832 bytes, whole",
               "  track table: 160 entries (672-byte header)", "  tracks: 80 of 160 present",
               "  layout: tracks 0-79: 16 x R1-16 N1",
               "  geometry: 40 cylinders x 2 heads x 16 sectors x 256 bytes = 327680 bytes"}));
    EXPECT_EQ(linesStarting(info(huBasic).out, {"  track"}), Lines{"  tracks: 80 of 164 present"});
    expectPictureAgreesWithListing(shortHeader, "672-byte header");
    std::vector<const XmlElement*> rects;
    const XmlElement shortPicture = picture(shortHeader);
    findAll(shortPicture, "rect", rects);
    for (const XmlElement* rect : rects) {
        const std::string title = titleOf(*rect);
        if (title.compare(0, 6, "track ") == 0) {
            EXPECT_LT(std::stoi(title.substr(6)), 160) << title;
        }
    }
    for (const Bytes& form : {huBasic, shortHeader}) {
        d88test::ScratchDir cutDir;
        d88mk::writeFile(cutDir.file("disk.d88"), form);
        const ToolResult cutRun = d88test::runTool(D88CUT_PATH, {"disk.d88", "-op"}, cutDir.path());
        EXPECT_EQ(cutRun.exitStatus, 0);
        EXPECT_EQ(cutRun.out, "");
        EXPECT_EQ(cutRun.err, d88test::noDiskOfTheSet());
        EXPECT_EQ(cutDir.entries(), Lines{"disk.d88"});
    }

    // Cut short in track 45: the tracks after it alike make one line.
    const ToolResult cut = info(Bytes(huBasic.begin(), huBasic.begin() + 200000));
    EXPECT_EQ(linesStarting(cut.out, {"  layout", "  geometry", "  problem"}),
              (Lines{"  layout: tracks 0-44: 16 x R1-16 N1; track 45: 13 x R1-13 N1; tracks 46-79: "
                     "no records",
                     "  problem: track 45: record 12 cut off by the end of the file (192 of 256 "
                     "data bytes)",
                     "  problem: tracks 46-79 (34 tracks): record 0 cut off by the end of the file "
                     "(header)"}));
}

// Images whose runs meet damage of every kind: sectors missing or short at
// the start of a run and inside it, both pieces of MUSDRV, records with a
// CRC error or a deleted mark inside runs, the same ID twice, an ID of
// another size, tracks absent or beyond the disk, a file ending inside a run,
// and two disks that write the same names.
std::vector<std::pair<std::string, Bytes>> damagedRunImages() {
    DiskBuilder program = d88mk::setDisk(SetDisk::ProgramDisk, 60);
    program
        .dropSector(33, 4)              // MP05 not written
        .dropSector(35, 2)              // MP07 partly read
        .dropSector(4, 0)               // MUSDRV's tail breaks off
        .markSector(32, 1, 0x00, 0xA0)  // MP01 from a record with an ID CRC error
        .markSector(38, 2, 0x10, 0x00)  // MP11 from a deleted record
        .markSector(39, 3, 0x01, 0xB0)  // MP13: another mark byte and a data CRC error
        .addRecord(41, record(20, 1, 4, 3, Bytes(1024, 0xEE)))  // R4 twice: the first wins
        .markSector(41, 4, 0x00, 0xF0)
        .setTrackOffset(43, 0x7FFFFFF0u);  // MP21-MP23 beyond the disk
    DiskBuilder shortPieces = d88mk::setDisk(SetDisk::ProgramDisk, 60);
    shortPieces.dropSector(5, 3).addSector(5, 3, 3, Bytes(100, 1)).dropTrack(3);
    DiskBuilder headMissing = d88mk::setDisk(SetDisk::DemoDisk1, 60);
    headMissing.dropSector(4, 2);
    DiskBuilder otherSize = d88mk::setDisk(SetDisk::DemoDisk1, 60);
    otherSize.dropSector(37, 0).addSector(37, 0, 2, Bytes(512, 2)).dropSector(39, 2);
    DiskBuilder opening = d88mk::setDisk(SetDisk::OpeningDisk, 60);
    opening.dropSector(28, 3).dropSector(10, 0).dropTrack(8);
    DiskBuilder demo2 = d88mk::setDisk(SetDisk::DemoDisk2, 60);
    demo2.dropSector(7, 18);
    DiskBuilder visual = d88mk::setDisk(SetDisk::VisualDisk, 60);
    visual.dropSector(19, 80).addSector(19, 80, 3, Bytes(512, 3));
    DiskBuilder dataDisk3 = d88mk::setDisk(SetDisk::DataDisk3, 60);
    dataDisk3.dropSector(57, 49).addSector(57, 49, 3, Bytes(1000, 4));
    // A name of bytes that are no Shift_JIS text, and one with '"' and '\'.
    dataDisk3.setName("\x81\xFF\x01");
    demo2.setName("\"q\\");
    const Bytes whole = d88mk::setDisk(SetDisk::ProgramDisk, 60).build();
    Bytes cutInRun = d88mk::setDisk(SetDisk::ProgramDisk, 60).build();
    cutInRun.resize(d88mk::setDisk(SetDisk::ProgramDisk, 60).trackStart(36) + 1040 + 16 + 500);
    return {
        {"damaged program disk", program.build()},
        {"MUSDRV pieces short and missing", shortPieces.build()},
        {"sector of another size", otherSize.build()},
        {"opening disk", opening.build()},
        {"the other kinds", d88mk::concat({demo2.build(), visual.build(), dataDisk3.build()})},
        {"file ends inside a run", cutInRun},
        {"demo disk 1, then a program disk without MP05",
         d88mk::concat({d88mk::setDisk(SetDisk::DemoDisk1, 60).build(), program.build()})},
        {"program disk twice, the second damaged, then a demo disk 1",
         d88mk::concat({whole, program.build(), otherSize.build()})},
        {"MUSDRV's head missing", headMissing.build()},
        {"a 672-byte header", d88mk::withShortHeader(program.build())},
    };
}

// What d88cut did on one run: the kinds it recognised, the files it announced
// and warned of, in order, and the files it left, with their sizes.
struct CutRecord {
    Lines kinds;
    Lines announced;
    Lines partly;
    Lines notCut;
    Lines fromMarked;
    bool noDiskOfTheSet = false;
    std::map<std::string, std::size_t> left;
};

CutRecord whatD88CutDid(const ToolResult& run, const d88test::ScratchDir& dir) {
    CutRecord done;
    const std::string recognised = d88test::cp932(" を認識しました.");
    const std::string partly = d88test::cp932(" の一部を読み込めませんでした.");
    const std::string notCut = d88test::cp932(" は最初のセクタが読めないため切り出せませんでした.");
    const std::string marked =
        d88test::cp932(" は正常でないセクタ (CRC エラー, 削除マークなど) から切り出しました.");
    const auto before = [](const std::string& line, const std::string& suffix) {
        const bool ends = line.size() > suffix.size() &&
                          line.compare(line.size() - suffix.size(), suffix.size(), suffix) == 0;
        return ends ? line.substr(0, line.size() - suffix.size()) : std::string();
    };
    for (const std::string& line : linesStarting(run.out, {""})) {
        if (line.compare(0, 12, "cutting ... ") == 0) {
            done.announced.push_back(line.substr(12));
        } else if (!before(line, recognised).empty()) {
            done.kinds.push_back(before(line, recognised));
        }
    }
    for (const std::string& line : linesStarting(run.err, {""})) {
        if (!before(line, partly).empty()) {
            done.partly.push_back(before(line, partly));
        } else if (!before(line, notCut).empty()) {
            done.notCut.push_back(before(line, notCut));
        } else if (!before(line, marked).empty()) {
            done.fromMarked.push_back(before(line, marked));
        } else if (line + "\n" == d88test::noDiskOfTheSet()) {
            done.noDiskOfTheSet = true;
        }
    }
    for (const std::string& name : dir.entries()) {
        done.left[name] = d88mk::readFile(dir.file(name)).size();
    }
    return done;
}

// The same as d88info --files --json tells it.
CutRecord whatInfoSays(const d88test::JsonValue& document) {
    CutRecord said;
    for (const d88test::JsonValue& disk : document["disks"].items) {
        if (disk["verdict"].text == "recognised") {
            said.kinds.push_back(disk["kind"].text);
        }
        for (const d88test::JsonValue& file : disk["files"].items) {
            const std::string& written = file["written"].text;
            if (written == "missing") {
                said.notCut.push_back(file["name"].text);
                continue;
            }
            if (!file["damaged"].items.empty()) {
                said.fromMarked.push_back(file["name"].text);
            }
            said.announced.push_back(file["name"].text);
            if (written == "partly") {
                said.partly.push_back(file["name"].text);
            }
            if (file["replacedBy"].isNull()) {
                said.left[file["name"].text] = static_cast<std::size_t>(file["length"].integer());
            }
        }
    }
    said.noDiskOfTheSet = said.kinds.empty();
    return said;
}

// d88info --files agrees with what d88cut does, image by image and choice by
// choice: the disks it recognises, the files it writes (whole or partly) with
// their sizes and in their order, the files it warns of, and the files it
// leaves; a file not written is one d88cut neither announces nor writes.
TEST(D88InfoFiles, AgreesWithD88CutOnEveryImageAndChoice) {
    std::vector<std::pair<std::string, Bytes>> images = damagedRunImages();
    images.emplace_back("damaged sample", d88mk::damagedImage());
    images.emplace_back("sample", d88mk::sampleImage());
    for (auto& seed : d88mk::seedImages()) {
        images.emplace_back("seed " + seed.first, std::move(seed.second));
    }
    images.emplace_back("empty", Bytes{});
    images.emplace_back("too short", Bytes(100, 0x41));
    images.emplace_back("text", Bytes(20000, 'x'));
    const std::string realData = d88test::realDataDir();
    if (!realData.empty()) {
        images.emplace_back("real image", d88mk::readFile(realData + "/HuBASIC_Format_2D.d88"));
        images.emplace_back("real CP/M image",
                            d88mk::readFile(realData + "/CPM_Format_2D_turboCPM_X1turbo.d88"));
    }
    const std::vector<std::vector<std::string>> choices = {{},    {"-op"}, {"1"}, {"2"}, {"3"},
                                                           {"4"}, {"5"},   {"6"}, {"7"}, {"8"}};
    d88test::ScratchDir images_dir;
    for (const auto& [name, bytes] : images) {
        const std::string image = images_dir.file("image.d88");
        d88mk::writeFile(image, bytes);
        for (const std::vector<std::string>& choice : choices) {
            SCOPED_TRACE(name + (choice.empty() ? "" : ", " + choice[0]));
            d88test::ScratchDir cut;
            std::vector<std::string> args = {image};
            args.insert(args.end(), choice.begin(), choice.end());
            const CutRecord done =
                whatD88CutDid(d88test::runTool(D88CUT_PATH, args, cut.path()), cut);

            args.insert(args.begin(), {"--files", "--json"});
            const ToolResult listed = d88test::runTool(D88INFO_PATH, args, images_dir.path());
            EXPECT_EQ(listed.exitStatus, 0);
            d88test::JsonValue document;
            std::string error;
            ASSERT_TRUE(d88test::parseJson(listed.out, document, error)) << error;
            const CutRecord said = whatInfoSays(document);
            EXPECT_EQ(said.kinds, done.kinds);
            EXPECT_EQ(said.announced, done.announced);
            EXPECT_EQ(said.partly, done.partly);
            EXPECT_EQ(said.notCut, done.notCut);
            EXPECT_EQ(said.fromMarked, done.fromMarked);
            EXPECT_EQ(said.noDiskOfTheSet, done.noDiskOfTheSet);
            EXPECT_EQ(said.left, done.left);
            // Every file counted once, under its outcome.
            long long files = 0;
            for (const d88test::JsonValue& disk : document["disks"].items) {
                files += static_cast<long long>(disk["files"].items.size());
            }
            long long counted = 0;
            for (const auto& member : document["counts"].members) {
                counted += member.second.integer();
            }
            EXPECT_EQ(counted, files);
        }
    }
}

// What --files says of each file and disk, and why, in words; and in JSON
// the names as text where they are Shift_JIS text, as bytes otherwise.
TEST(D88InfoFiles, SaysWhatBecameOfEachFileAndWhy) {
    const std::vector<std::pair<std::string, Bytes>> built = damagedRunImages();
    const std::map<std::string, Bytes> images(built.begin(), built.end());
    DiskBuilder unknownSum = smallDisk();
    unknownSum.addSector(1, 1, 1, d88mk::bytesWithSum(12345));
    const std::string text = "This is a text file, not a disk image.\n";
    Bytes junk;
    for (int i = 0; i < 40; ++i) {
        junk.insert(junk.end(), text.begin(), text.end());
    }
    // The start of a zip made by git archive, then bytes of no meaning.
    const std::string zipStart(
        "PK\x03\x04\n\0\0\0\0\0\x8bz\x88]\0\0\0\0\0\0\0\0\0\0\0\0\x04\0"
        "\t\0src/UT\x05\0\x017 \x18kPK\x03\x04\n",
        48);
    Bytes zipLike(zipStart.begin(), zipStart.end());
    for (std::uint32_t x = 1; zipLike.size() < 50000;) {
        x = x * 1103515245u + 12345u;
        zipLike.push_back(static_cast<std::uint8_t>(x >> 16));
    }
    const Bytes whole = d88mk::setDisk(SetDisk::ProgramDisk, 60).build();
    DiskBuilder oneByteShort = d88mk::setDisk(SetDisk::ProgramDisk, 60);
    oneByteShort.dropSector(36, 3).addSector(36, 3, 3, Bytes(1023, 7));
    DiskBuilder headShort = d88mk::setDisk(SetDisk::ProgramDisk, 60);
    headShort.dropSector(5, 3);
    DiskBuilder markedBeforeBreak = d88mk::setDisk(SetDisk::ProgramDisk, 60);
    markedBeforeBreak.markSector(35, 1, 0x00, 0xB0).dropSector(35, 2);
    const struct {
        const char* what;
        Bytes image;
        std::vector<std::string> choice;
        Lines prefixes;  // the lines that start so
        Lines expected;
    } cases[] = {
        {"damage inside runs",
         images.at("damaged program disk"),
         {},
         {"  MUSDRV", "  MP01", "  MP05", "  MP07", "  MP11", "  MP13", "  MP18", "  MP20",
          "  MP21", "files"},
         {"  MUSDRV    5120 bytes, partly read: 3072 bytes read, zero from byte 3072 on, as C2 H0 "
          "R0 "
          "N3 on track 4 is not there",
          "  MP01      2048 bytes, whole, from damaged records: C16 H0 R1 N3 (ID CRC error)",
          "  MP05      not written, as C16 H1 R4 N3 on track 33 is not there",
          "  MP07      3072 bytes, partly read: 1024 bytes read, zero from byte 1024 on, as C17 H1 "
          "R2 N3 on track 35 is not there",
          "  MP11      4096 bytes, whole, from damaged records: C19 H0 R2 N3 (normal, deleted "
          "mark)",
          "  MP13      2048 bytes, whole, from damaged records: C19 H1 R3 N3 (data CRC error, mark "
          "0x01)",
          "  MP18      3072 bytes, whole, from damaged records: C20 H1 R4 N3 (no data mark)",
          "  MP20      3072 bytes, partly read: 2048 bytes read, zero from byte 2048 on, as C21 H1 "
          "R0 N3 on track 43 is not there",
          "  MP21      not written, as C21 H1 R1 N3 on track 43 is not there",
          "files: 17 whole, 4 with damaged records, 3 partly read, 4 not on the image, 0 replaced "
          "by a later disk's"}},
        {"both pieces of MUSDRV break off",
         images.at("MUSDRV pieces short and missing"),
         {},
         {"  MUSDRV"},
         {"  MUSDRV    5120 bytes, partly read: 1024 bytes read, zero at bytes 1024-2047 and "
          "2048-5119, as C2 H1 R3 N3 on track 5 gives only 100 of 1024 bytes and C1 H1 R4 N3 on "
          "track 3 is not there"}},
        {"replaced, and kept where the later disk writes none",
         images.at("demo disk 1, then a program disk without MP05"),
         {},
         {"disk", "  MUSDRV", "files"},
         {"disk 0 at offset 0x00000000 \"DEMO1\": Demo Disk 1",
          "  MUSDRV    5120 bytes, whole; replaced by disk 1's file of that name",
          "disk 1 at offset 0x0004BED0 \"PROGRAM\": Program Disk",
          "  MUSDRV    5120 bytes, partly read: 3072 bytes read, zero from byte 3072 on, as C2 H0 "
          "R0 N3 on track 4 is not there",
          "files: 30 whole, 4 with damaged records, 3 partly read, 4 not on the image, 1 replaced "
          "by a later disk's"}},
        {"a disk number that forces the kind",
         unknownSum.build(),
         {"2"},
         {"image", "cut", "disk", "  MUSDRV"},
         {"image: 1504 bytes, 1 disk, none of them a disk of the set",
          "cut: the first disk only, as disk 2",
          "disk 0 at offset 0x00000000 \"\": Program Disk, taken as disk 2 as chosen (its probe "
          "sectors alone: not recognised)",
          "  MUSDRV    not written, as C2 H1 R2 N3 on track 5 is not there and C1 H1 R4 N3 on "
          "track 3 is not there"}},
        {"a disk number the probe overrides",
         d88mk::setDisk(SetDisk::OpeningDisk, 30).build(),
         {"2"},
         {"disk"},
         {"disk 0 at offset 0x00000000 \"OPENING\": Opening Disk, though disk 2 was chosen: its "
          "probe sector says Opening Disk"}},
        {"nothing to cut",
         d88mk::setDisk(SetDisk::DataDisk2, 4).build(),
         {"4"},
         {"disk"},
         {"disk 0 at offset 0x00000000 \"DATA2\": Data Disk 2, the disk chosen, nothing to cut"}},
        {"passed over",
         d88mk::concat({unknownSum.build(), smallDisk().build()}),
         {"-op"},
         {"image", "cut", "disk", "files"},
         {"image: 2736 bytes, 2 disks, none of them a disk of the set",
          "cut: every disk, with OPDEMO and G_TITLE (-op)",
          "disk 0 at offset 0x00000000 \"\": passed over: the first 256 bytes of R1 N1 on track 1 "
          "sum to 12345, a sum of no disk of the set",
          "disk 1 at offset 0x000005E0 \"\": passed over: none of the probe sectors is on track 1 "
          "(unsupported format)",
          "files: 0 whole, 0 with damaged records, 0 partly read, 0 not on the image, 0 replaced "
          "by a later disk's"}},
        {"no D88 image",
         junk,
         {},
         {"image", "  header"},
         {"image: 1560 bytes, 1 disk: not a D88 image (no disk header in it makes sense)",
          "  header: media byte 0x64 is none a D88 writer uses; the first track lies at offset "
          "170812775, not right after the header (688 bytes); 143 of 164 track offsets point "
          "outside the disk; disk size 543,912,809 runs past the end of the file (1560 bytes left) "
          "and not one track lies in the file"}},
        {"a 672-byte header raises no doubt",
         d88mk::withShortHeader(d88mk::setDisk(SetDisk::DataDisk1, 4).build()),
         {},
         {"image", "disk", "  header"},
         {"image: 21,472 bytes, 1 disk, 1 of them of the set",
          "disk 0 at offset 0x00000000 \"DATA1\": Data Disk 1, nothing to cut"}},
        {"a zip, whose first entry's fields pass for a media byte and a disk size",
         zipLike,
         {},
         {"image", "  header"},
         {"image: 50,000 bytes, 1 disk: not a D88 image (no disk header in it makes sense)",
          "  header: the first track lies at offset 638963, not right after the header (688 "
          "bytes); disk size 1,920,139,273 runs past the end of the file (50,000 bytes left) and "
          "not "
          "one track lies in the file"}},
        // A record one byte short of its piece stops the run there.
        {"a record one byte short",
         oneByteShort.build(),
         {},
         {"  MP09"},
         {"  MP09      4096 bytes, partly read: 1024 bytes read, zero from byte 1024 on, as C18 H0 "
          "R3 N3 on track 36 gives only 1023 of 1024 bytes"}},
        // Each disk's file is replaced by the next disk's, not the last one's.
        {"three disks of one kind",
         d88mk::concat({whole, whole, whole}),
         {},
         {"  MP00"},
         {"  MP00      3072 bytes, whole; replaced by disk 1's file of that name",
          "  MP00      3072 bytes, whole; replaced by disk 2's file of that name",
          "  MP00      3072 bytes, whole"}},
        {"MUSDRV's first run alone breaks off",
         headShort.build(),
         {},
         {"  MUSDRV"},
         {"  MUSDRV    5120 bytes, partly read: 4096 bytes read, zero at bytes 1024-2047, as C2 H1 "
          "R3 N3 on track 5 is not there"}},
        {"a damaged record before a run breaks off",
         markedBeforeBreak.build(),
         {},
         {"  MP07"},
         {"  MP07      3072 bytes, partly read: 1024 bytes read, zero from byte 1024 on, as C17 H1 "
          "R2 N3 on track 35 is not there; from damaged records: C17 H1 R1 N3 (data CRC error)"}},
        // Telling a D88 image from noise.
        {"a 1DD media byte raises no doubt",
         smallDisk().setMedia(0x40).build(),
         {},
         {"image", "  header"},
         {"image: 1232 bytes, 1 disk, none of them a disk of the set"}},
        {"a first track inside the header",
         smallDisk().setTrackOffset(5, 100).build(),
         {},
         {"image", "  header"},
         {"image: 1232 bytes, 1 disk: not a D88 image (no disk header in it makes sense)",
          "  header: the first track lies at offset 100, not right after the header (688 bytes)"}},
        {"exactly half the track offsets outside the disk",
         smallDisk().setTrackOffset(5, 0x7FFFFFF0u).build(),
         {},
         {"image", "  header"},
         {"image: 1232 bytes, 1 disk, none of them a disk of the set"}},
        {"track offsets inside the header point outside the disk",
         smallDisk().setTrackOffset(5, 300).setTrackOffset(6, 400).build(),
         {},
         {"  header"},
         {"  header: the first track lies at offset 300, not right after the header (688 bytes); "
          "2 of 3 track offsets point outside the disk"}},
        {"too short",
         Bytes(100, 0),
         {},
         {"image"},
         {"image: 100 bytes: too short to be a D88 image (a disk header is 688 bytes)"}},
        {"empty", {}, {}, {"image"}, {"image: 0 bytes: empty"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<std::string> options = {"--files"};
        d88test::ScratchDir dir;
        d88mk::writeFile(dir.file("disk.d88"), c.image);
        options.push_back("disk.d88");
        options.insert(options.end(), c.choice.begin(), c.choice.end());
        const ToolResult run = d88test::runTool(D88INFO_PATH, options, dir.path());
        EXPECT_EQ(run.exitStatus, 0);
        EXPECT_EQ(linesStarting(run.out, c.prefixes), c.expected);
    }

    // In JSON: names decoded, with '"' and '\' escaped, or as their bytes.
    d88test::ScratchDir dir;
    d88mk::writeFile(dir.file("disk.d88"), images.at("the other kinds"));
    const ToolResult run =
        d88test::runTool(D88INFO_PATH, {"--files", "--json", "disk.d88"}, dir.path());
    d88test::JsonValue document;
    std::string error;
    ASSERT_TRUE(d88test::parseJson(run.out, document, error)) << error;
    const auto& disks = document["disks"].items;
    ASSERT_EQ(disks.size(), 3u);
    EXPECT_EQ(disks[0]["name"].text, "\"q\\");
    EXPECT_TRUE(disks[2]["name"].isNull());
    ASSERT_EQ(disks[2]["nameBytes"].items.size(), 3u);
    EXPECT_EQ(disks[2]["nameBytes"].items[1].integer(), 0xFF);
    const d88test::JsonValue& m300 = disks[2]["files"].items.at(0);
    EXPECT_EQ(m300["written"].text, "missing");
    EXPECT_EQ(m300["unread"].items.at(0)["delivered"].integer(), 1000);
}

}  // namespace

namespace {

// The image written as disk.d88 in `dir`, run through d88info with `args`
// before and `after` after it.
ToolResult infoIn(const d88test::ScratchDir& dir, const Bytes& image, std::vector<std::string> args,
                  const std::vector<std::string>& after = {},
                  const d88test::RunOptions& options = {}) {
    d88mk::writeFile(dir.file("disk.d88"), image);
    args.push_back("disk.d88");
    args.insert(args.end(), after.begin(), after.end());
    return d88test::runTool(D88INFO_PATH, args, dir.path(), options);
}

}  // namespace

// The user's language, from the first of LC_ALL, LC_MESSAGES and LANG that is
// set, or --lang either way, says the words of --files, --svg, the usage and
// the errors; the -v listing and --json stay English and ungrouped.
TEST(D88InfoFiles, SpeaksTheUsersLanguage) {
    const std::string japanese =
        "イメージ: 645,180 バイト、ディスク 2 枚 (うちセットのディスク 2 枚)。";
    const std::string english = "image: 645,180 bytes, 2 disks, 2 of them of the set";
    const struct {
        std::vector<std::string> environment;
        std::vector<std::string> before;  // the arguments before the image
        bool onErr;                       // the line is on standard error
        std::string held;                 // text the stream holds
    } cases[] = {
        {{"LANG=ja_JP.UTF-8"}, {"--files"}, false, japanese},
        {{"LANG=C"}, {"--files"}, false, english},
        {{}, {"--files"}, false, english},
        {{"LANG=ja_JP.UTF-8"}, {"--files", "--lang", "en"}, false, english},
        {{"LANG=C"}, {"--lang", "ja", "--files"}, false, japanese},
        {{"LC_ALL=C", "LANG=ja_JP.UTF-8"}, {"--files"}, false, english},
        {{"LC_MESSAGES=ja_JP.eucJP", "LANG=C"}, {"--files"}, false, japanese},
        {{}, {"--files", "--lang", "ja"}, false, japanese},
        {{"LANG=ja_JP.UTF-8"}, {"-v"}, false, "image: 645180 bytes, 2 disks\n"},
        {{"LANG=ja_JP.UTF-8"}, {"--files", "--json"}, false, "{\"bytes\": 645180, \"disks\": 2"},
        {{"LANG=ja_JP.UTF-8"}, {"--svg"}, false, "d88info: ディスク 2 枚"},
        {{"LANG=ja_JP.UTF-8"}, {"--svg", "--lang", "en"}, false, "d88info: 2 disks"},
        {{"LANG=ja_JP.UTF-8"}, {"-h"}, false, "使い方: d88info [-v]"},
        {{"LANG=ja_JP.UTF-8"},
         {"-q"},
         true,
         "d88info: 知らないオプションです: -q\n使い方: d88info"},
        // The language is known before the first error.
        {{}, {"-q", "--lang", "ja"}, true, "d88info: 知らないオプションです: -q\n"},
        {{"LANG=ja_JP.UTF-8"}, {"--lang", "en", "-q"}, true, "d88info: unknown option: -q\nusage:"},
        {{"LANG=ja_JP.UTF-8"},
         {"--files", "--svg"},
         true,
         "d88info: --files は各ディスクのファイルを一覧します。--svg を外してください。\n"},
    };
    const d88test::ScratchDir dir;
    for (const auto& c : cases) {
        const std::string label =
            (c.environment.empty() ? "" : c.environment[0]) + " " + c.before[0];
        SCOPED_TRACE(label);
#ifdef _WIN32
        // Windows gives the program its own language: only --lang says it here.
        const bool asked = std::find(c.before.begin(), c.before.end(), "--lang") != c.before.end();
        if (!c.environment.empty() || !asked) {
            continue;
        }
#endif
        d88test::RunOptions options;
        options.environment = c.environment;
        const bool files = std::find(c.before.begin(), c.before.end(), "--files") != c.before.end();
        const ToolResult run =
            infoIn(dir, d88mk::damagedImage(), c.before, files ? Lines{"-op"} : Lines{}, options);
        EXPECT_NE((c.onErr ? run.err : run.out).find(c.held), std::string::npos)
            << (c.onErr ? run.err : run.out.substr(0, 300));
    }
    // A file that cannot be opened is said so in the language.
    d88test::RunOptions japaneseUser;
    japaneseUser.environment = {"LANG=ja_JP.UTF-8"};
#ifndef _WIN32
    EXPECT_EQ(
        d88test::runTool(D88INFO_PATH, {"--files", "missing.d88"}, dir.path(), japaneseUser).err,
        "d88info: missing.d88 を開けません: ファイルがありません。\n");
#endif
}

// Every line of the Japanese --files text, one or more of each kind.
TEST(D88InfoFiles, SaysItInJapanese) {
    const std::vector<std::pair<std::string, Bytes>> built = damagedRunImages();
    const std::map<std::string, Bytes> images(built.begin(), built.end());
    DiskBuilder unknownSum = smallDisk();
    unknownSum.addSector(1, 1, 1, d88mk::bytesWithSum(12345));
    DiskBuilder markedBeforeBreak = d88mk::setDisk(SetDisk::ProgramDisk, 60);
    markedBeforeBreak.markSector(35, 1, 0x00, 0xB0).dropSector(35, 2);
    const std::string text = "This is a text file, not a disk image.\n";
    Bytes junk;
    for (int i = 0; i < 40; ++i) {
        junk.insert(junk.end(), text.begin(), text.end());
    }
    const struct {
        const char* what;
        Bytes image;
        std::vector<std::string> choice;
        Lines prefixes;
        Lines expected;
    } cases[] = {
        {"the damaged sample",
         d88mk::damagedImage(),
         {"-op"},
         {"イメージ", "切り出し", "ディスク", "  MUSDRV", "  MP04", "  MP16", "  MDEMO108",
          "  MDEMO109", "ファイル"},
         {"イメージ: 645,180 バイト、ディスク 2 枚 (うちセットのディスク 2 枚)。",
          "切り出し: すべてのディスク。OPDEMO と G_TITLE も (-op)。",
          "ディスク 0 (オフセット 0x00000000) \"\\x83T\\x83\\x93\\x83v\\x83\\x8B <&>\": Program "
          "Disk です。",
          "  MUSDRV    5120 バイト、完全に読めました。後のディスク 1 "
          "の同じ名前のファイルで置き換えられます。",
          "  MP04      2048 バイト、すべて読めましたが、損傷したレコードからです: C16 H1 R2 N3 "
          "(データ CRC エラー)。",
          "  MP16      1024 バイト、すべて読めましたが、損傷したレコードからです: C20 H0 R4 N3 "
          "(正常、削除マーク)。",
          "ディスク 1 (オフセット 0x00069200) \"DEMO1\": Demo Disk 1 です。",
          "  MUSDRV    5120 バイト、完全に読めました。",
          "  MDEMO108  書き出しません (トラック 41 の C20 H1 R2 N3 が 1024 バイト中 300 "
          "バイトしかないため)。",
          "  MDEMO109  書き出しません (トラック 41 の C20 H1 R3 N3 がないため)。",
          "ファイル: 完全なもの 34 個、損傷したレコードを含むもの 2 個、一部しか読めなかったもの 0 "
          "個、イメージにないもの 5 個、後のディスクのもので置き換えたもの 1 個。"}},
        {"damage inside runs",
         images.at("damaged program disk"),
         {},
         {"  MUSDRV", "  MP01", "  MP05", "  MP11", "  MP13", "  MP21"},
         {"  MUSDRV    5120 バイト、一部しか読めませんでした: 読めたのは 3072 バイトで、3072 "
          "バイト目以降は 0 です (トラック 4 の C2 H0 R0 N3 がないため)。",
          "  MP01      2048 バイト、すべて読めましたが、損傷したレコードからです: C16 H0 R1 N3 (ID "
          "CRC エラー)。",
          "  MP05      書き出しません (トラック 33 の C16 H1 R4 N3 がないため)。",
          "  MP11      4096 バイト、すべて読めましたが、損傷したレコードからです: C19 H0 R2 N3 "
          "(正常、削除マーク)。",
          "  MP13      2048 バイト、すべて読めましたが、損傷したレコードからです: C19 H1 R3 N3 "
          "(データ CRC エラー、マーク 0x01)。",
          "  MP21      書き出しません (トラック 43 の C21 H1 R1 N3 がないため)。"}},
        {"both pieces of MUSDRV break off",
         images.at("MUSDRV pieces short and missing"),
         {},
         {"  MUSDRV"},
         {"  MUSDRV    5120 バイト、一部しか読めませんでした: 読めたのは 1024 バイトで、1024-2047 "
          "バイト目と 2048-5119 バイト目は 0 です (トラック 5 の C2 H1 R3 N3 が 1024 バイト中 100 "
          "バイトしかない、トラック 3 の C1 H1 R4 N3 がないため)。"}},
        {"a damaged record before a run breaks off",
         markedBeforeBreak.build(),
         {},
         {"  MP07"},
         {"  MP07      3072 バイト、一部しか読めませんでした: 読めたのは 1024 バイトで、1024 "
          "バイト目以降は 0 です (トラック 35 の C17 H1 R2 N3 "
          "がないため)。損傷したレコードからも読んでいます: C17 H1 R1 N3 (データ CRC エラー)。"}},
        {"a disk number that forces the kind",
         unknownSum.build(),
         {"2"},
         {"イメージ", "切り出し", "ディスク"},
         {"イメージ: 1504 バイト、ディスク 1 枚。セットのディスクはありません。",
          "切り出し: 最初のディスクだけを、2 番のディスクとして。",
          "ディスク 0 (オフセット 0x00000000) \"\": 2 番を選んだので Program Disk として扱います "
          "(判別用セクタだけなら: 認識できない)。"}},
        {"a disk number the probe overrides",
         d88mk::setDisk(SetDisk::OpeningDisk, 30).build(),
         {"2"},
         {"ディスク"},
         {"ディスク 0 (オフセット 0x00000000) \"OPENING\": Opening Disk です。2 "
          "番を選びましたが、判別用セクタが Opening Disk を示しています。"}},
        {"nothing to cut",
         d88mk::setDisk(SetDisk::DataDisk2, 4).build(),
         {"4"},
         {"ディスク"},
         {"ディスク 0 (オフセット 0x00000000) \"DATA2\": Data Disk 2 です "
          "(選んだ番号のとおり)。切り出すファイルはありません。"}},
        {"passed over",
         d88mk::concat({unknownSum.build(), smallDisk().build()}),
         {},
         {"イメージ", "ディスク"},
         {"イメージ: 2736 バイト、ディスク 2 枚。セットのディスクはありません。",
          "ディスク 0 (オフセット 0x00000000) \"\": セットのディスクではないので飛ばします: "
          "トラック 1 の R1 N1 の先頭 256 バイトの合計 12345 "
          "は、セットのどのディスクの合計とも違います。",
          "ディスク 1 (オフセット 0x000005E0) \"\": セットのディスクではないので飛ばします: "
          "トラック 1 に判別用セクタがひとつもありません (未対応の形式)。"}},
        {"no D88 image",
         junk,
         {},
         {"イメージ", "  ヘッダ"},
         {"イメージ: 1560 バイト、ディスク 1 枚。D88 イメージではありません "
          "(意味の通るディスクヘッダがありません)。",
          "  ヘッダ: メディアバイト 0x64 はどの D88 "
          "作成ツールも使わない値です。最初のトラックがヘッダ (688 バイト) "
          "の直後ではなくオフセット 170812775 にあります。トラックオフセット 164 個のうち 143 "
          "個がディスクの外を指しています。ディスクサイズ 543,912,809 バイトがファイルの終わり "
          "(残り 1560 バイト) を越えていて、ファイルの中にトラックがひとつもありません。"}},
        {"too short",
         Bytes(100, 0),
         {},
         {"イメージ"},
         {"イメージ: 100 バイト。D88 イメージにしては短すぎます (ディスクのヘッダは 688 "
          "バイト)。"}},
        {"empty", {}, {}, {"イメージ"}, {"イメージ: 0 バイト。空のファイルです。"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const d88test::ScratchDir dir;
        const ToolResult run = infoIn(dir, c.image, {"--files", "--lang", "ja"}, c.choice);
        EXPECT_EQ(run.exitStatus, 0);
        EXPECT_EQ(linesStarting(run.out, c.prefixes), c.expected);
    }
}

// d88info.exe in a window of its own: long lines broken after a space or
// between full-width characters, never before 、 or 。, indented under their
// text; and the --files -op listing of an image, in either language, within
// 79 columns, a full-width character counted as two.
TEST(D88InfoWindow, EveryLineFitsAnEightyColumnWindow) {
    const struct {
        std::string text;
        std::size_t columns;
        std::string fitted;
    } cases[] = {
        {"abc def ghi\n", 7, "abc def\n    ghi\n"},
        {"  MP04      abc defgh ijk", 20, "  MP04      abc\n            defgh\n            ijk\n"},
        {"あいうえお、かきく\n", 10, "あいうえ\n    お、\n    かきく\n"},
        {"abcdef 12 バイト\n", 14, "abcdef\n    12 バイト\n"},
        {"  MP04  からです: C16 H1 R2 N3 データ\n", 32,
         "  MP04  からです:\n            C16 H1 R2 N3 データ\n"},
        {"abcdefghij\n", 4, "abcd\nefgh\nij\n"},
        {"短い\n\nshort\n", 79, "短い\n\nshort\n"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(d88info::fitToWindow(c.text, c.columns), c.fitted) << c.text;
    }
    const d88test::ScratchDir dir;
    d88mk::writeFile(dir.file("damaged.d88"), d88mk::damagedImage());
    for (const d88info::Language language :
         {d88info::Language::Japanese, d88info::Language::English}) {
        bool opened = false;
        const std::string shown = d88info::windowListing(dir.file("damaged.d88"), true, language,
                                                         d88console::kWindowLineColumns, opened);
        EXPECT_TRUE(opened);
        EXPECT_EQ(shown.compare(0, 22, "==== damaged.d88 ====\n"), 0) << shown.substr(0, 40);
        d88::D88Image image;
        ASSERT_TRUE(image.open(dir.file("damaged.d88").c_str()));
        std::vector<std::uint8_t> scratch(d88info::kScratchSize);
        const std::string listing =
            d88info::filesListingText(d88info::accountFiles(image, {true, 0}, scratch.data()),
                                      {true}, d88info::FilesWords(language));
        std::istringstream listed(listing);
        std::set<std::string> unbroken;
        for (std::string line; std::getline(listed, line);) {
            unbroken.insert(line);
        }
        std::istringstream in(shown);
        std::size_t lines = 0;
        std::size_t broken = 0;
        for (std::string line; std::getline(in, line); ++lines) {
            EXPECT_LE(d88console::columnsOf(line), d88console::kWindowLineColumns) << line;
            // A line broken: its first piece starts a line of the listing, the
            // others are indented.
            const bool firstPiece = std::any_of(
                unbroken.begin(), unbroken.end(),
                [&](const std::string& whole) { return whole.compare(0, line.size(), line) == 0; });
            if (unbroken.count(line) == 0 && line.compare(0, 5, "==== ") != 0 && !firstPiece) {
                ++broken;
                EXPECT_EQ(line.compare(0, 4, "    "), 0) << line;
            }
        }
        EXPECT_GT(broken, 0u);
        EXPECT_GT(lines,
                  static_cast<std::size_t>(std::count(listing.begin(), listing.end(), '\n')));
    }
    bool opened = true;
    EXPECT_EQ(d88info::windowListing(dir.file("missing.d88"), false, d88info::Language::Japanese,
                                     d88console::kWindowLineColumns, opened),
              "");
    EXPECT_FALSE(opened);
}
