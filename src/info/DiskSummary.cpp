#include "DiskSummary.h"

namespace d88info {

namespace {

void printMedia(std::FILE* out, std::uint8_t media) {
    switch (media) {
        case 0x00:
            std::fputs("  media: 2D (0x00)\n", out);
            return;
        case 0x10:
            std::fputs("  media: 2DD (0x10)\n", out);
            return;
        case 0x20:
            std::fputs("  media: 2HD (0x20)\n", out);
            return;
        default:
            std::fprintf(out, "  media: 0x%02X\n", static_cast<unsigned>(media));
    }
}

void printWriteProtect(std::FILE* out, std::uint8_t flag) {
    if (flag == 0) {
        std::fputs("  write-protect: no\n", out);
    } else {
        std::fprintf(out, "  write-protect: yes (0x%02X)\n", static_cast<unsigned>(flag));
    }
}

// Reads one stage's probe sector as identification does, each into a cleared
// buffer: the sum shown is that sector's own.
void printProbe(std::FILE* out, d88::D88Image& image, std::uint8_t* scratch,
                const d88cut::IdentificationStage& stage) {
    d88cut::clearProbeBuffer(scratch);
    const d88cut::ProbeSector& sector = stage.probe;
    const bool present = d88cut::readProbe(image, sector, scratch);
    std::fprintf(out, "R%d N%d ", static_cast<int>(sector.r), static_cast<int>(sector.n));
    if (!present) {
        std::fputs("absent", out);
    } else if (stage.candidates[0].summed) {
        std::fprintf(out, "present (sum %u)", static_cast<unsigned>(d88cut::sectorSum(scratch)));
    } else {
        std::fputs("present", out);
    }
}

void printKind(std::FILE* out, d88::D88Image& image, std::uint8_t* scratch) {
    std::fprintf(out, "  kind: %s\n", kindText(identifyAsD88Cut(image, scratch)));
}

}  // namespace

void printDiskHeading(std::FILE* out, int index, std::int64_t start, const d88::DiskHeader& header,
                      std::int64_t fileSize, const NameForm& nameForm) {
    std::fprintf(out, "disk %d at offset 0x%08llX: %lu bytes, ", index,
                 static_cast<unsigned long long>(start),
                 static_cast<unsigned long>(header.diskSize));
    const std::int64_t inFile = fileSize - start;
    if (inFile >= static_cast<std::int64_t>(header.diskSize)) {
        std::fputs("whole\n", out);
    } else {
        std::fprintf(out, "the file holds only %lld\n", static_cast<long long>(inFile));
    }
    std::fputs("  name: \"", out);
    printName(out, nameForm, header.name);
    std::fputs("\"\n", out);
    printMedia(out, header.media);
    printWriteProtect(out, header.writeProtect);
}

void printIdentification(std::FILE* out, d88::D88Image& image, std::uint8_t* scratch) {
    std::fputs("  probes on track 1:", out);
    const char* separator = " ";
    for (const d88cut::IdentificationStage& stage : d88cut::kIdentificationStages) {
        std::fputs(separator, out);
        printProbe(out, image, scratch, stage);
        separator = "; ";
    }
    std::fputc('\n', out);
    printKind(out, image, scratch);
}

d88cut::Identification identifyAsD88Cut(d88::D88Image& image, std::uint8_t* scratch) {
    return d88cut::identify(image, scratch, 0);
}

const char* kindText(const d88cut::Identification& result) {
    switch (result.verdict) {
        case d88cut::Verdict::Recognised:
            return d88cut::kindInfo(*result.kind).name;
        case d88cut::Verdict::UnknownSum:
            return "not recognised";
        case d88cut::Verdict::Unsupported:
            break;
    }
    return "unsupported format";
}

}  // namespace d88info
