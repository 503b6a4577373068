#include "HexDump.h"

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

}  // namespace

void printSectorDump(std::FILE* out, d88::D88Image& image, const SectorChoice& choice,
                     std::uint8_t* buffer) {
    // The C and H d88cut asks for on a track index.
    const int c = choice.track / 2;
    const int h = choice.track % 2;
    std::fprintf(out, "  sector on track %d (C%d H%d) R%d N%d: ", choice.track, c, h, choice.r,
                 choice.n);
    const std::int32_t got = image.readSector(choice.track, c, h, choice.r, choice.n, buffer,
                                              static_cast<std::int32_t>(kLargestSector));
    if (got <= 0) {
        std::fputs("no such sector\n", out);
        return;
    }
    std::fprintf(out, "%d bytes\n", static_cast<int>(got));
    printHexLines(out, buffer, static_cast<std::size_t>(got));
}

}  // namespace d88info
