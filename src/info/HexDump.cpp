#include "HexDump.h"

#include "d88/TrackAddress.h"

namespace d88info {

namespace {

constexpr std::size_t kBytesPerLine = 16;

void printHexLine(std::FILE* out, std::size_t offset, const std::uint8_t* bytes,
                  std::size_t count) {
    std::fprintf(out, "    %04zX ", offset);
    for (std::size_t i = 0; i < kBytesPerLine; ++i) {
        if (i < count) {
            std::fprintf(out, " %02X", static_cast<unsigned>(bytes[i]));
        } else {
            std::fputs("   ", out);
        }
    }
    std::fputs("  |", out);
    for (std::size_t i = 0; i < count; ++i) {
        const bool printable = bytes[i] >= 0x20 && bytes[i] <= 0x7E;
        std::fputc(printable ? bytes[i] : '.', out);
    }
    std::fputs("|\n", out);
}

// Lines of an offset, 16 bytes in hex and the same bytes as ASCII:
// "    0000  74 30 ... 0A  |t001 r001 @0000.|".
void printHexLines(std::FILE* out, const std::uint8_t* data, std::size_t size) {
    for (std::size_t offset = 0; offset < size; offset += kBytesPerLine) {
        const std::size_t count = size - offset < kBytesPerLine ? size - offset : kBytesPerLine;
        printHexLine(out, offset, data + offset, count);
    }
}

// Reads the first record on `track` with ID (c, h, r) and any N, as a sector
// search finds records; returns the bytes stored in `buffer`, 0 when none,
// and that record's N in `n`.
std::int32_t readAnySize(d88::D88Image& image, int track, int c, int h, int r, int& n,
                         std::uint8_t* buffer) {
    d88::RecordWalk walk = image.walkTrack(track, d88::WalkRule::Search);
    d88::TrackRecord record;
    while (walk.nextSearched(record)) {
        const d88::SectorHeader& id = record.header;
        if (id.c == c && id.h == h && id.r == r) {
            n = id.n;
            return walk.readData(record, buffer, static_cast<std::int32_t>(kLargestSector));
        }
    }
    return 0;
}

}  // namespace

void printSectorDump(std::FILE* out, d88::D88Image& image, const SectorChoice& choice,
                     std::uint8_t* buffer) {
    // The C and H d88cut asks for on a track index.
    const d88::TrackAddress address = d88::TrackAddress::ofIndex(choice.track);
    const int c = address.cylinder();
    const int h = address.head();
    int n = choice.n;
    std::int32_t got = 0;
    if (n == SectorChoice::kAnySize) {
        got = readAnySize(image, choice.track, c, h, choice.r, n, buffer);
    } else {
        got = image.readSector(choice.track, c, h, choice.r, n, buffer,
                               static_cast<std::int32_t>(kLargestSector));
    }
    std::fprintf(out, "  sector on track %d (C%d H%d) R%d", choice.track, c, h, choice.r);
    if (got <= 0) {
        if (choice.n != SectorChoice::kAnySize) {
            std::fprintf(out, " N%d", choice.n);
        }
        std::fputs(": no such sector\n", out);
        return;
    }
    std::fprintf(out, " N%d: %d bytes\n", n, static_cast<int>(got));
    printHexLines(out, buffer, static_cast<std::size_t>(got));
}

}  // namespace d88info
