#include "HeaderDoubts.h"

#include <cstdio>

namespace d88info {

namespace {

// The media bytes D88 writers use: 2D, 2DD, 2HD, 1D and 1DD.
bool isKnownMedia(std::uint8_t media) {
    return media == 0x00 || media == 0x10 || media == 0x20 || media == 0x30 || media == 0x40;
}

std::string format(const char* pattern, unsigned long long a, unsigned long long b = 0) {
    char text[128];
    std::snprintf(text, sizeof text, pattern, a, b);
    return text;
}

}  // namespace

std::vector<std::string> headerDoubts(const d88::DiskHeader& header, std::int64_t start,
                                      std::int64_t fileSize) {
    std::vector<std::string> doubts;
    if (!isKnownMedia(header.media)) {
        doubts.push_back(format("media byte 0x%02llX is none a D88 writer uses", header.media));
    }
    // A table of 160 entries makes a 672-byte header; its last four entries
    // are the first track's bytes, no track offsets.
    const auto headerSize = static_cast<std::uint32_t>(header.headerSize());
    if (header.diskSize < headerSize) {
        doubts.push_back(format("disk size %llu is smaller than a header (%llu bytes)",
                                header.diskSize, headerSize));
    }
    int present = 0;
    int nowhere = 0;
    bool anyInFile = false;
    std::uint32_t lowest = 0;
    for (int track = 0; track < header.trackTableEntries(); ++track) {
        const std::uint32_t offset = header.trackOffsets[track];
        if (offset == 0) {
            continue;
        }
        ++present;
        lowest = lowest == 0 || offset < lowest ? offset : lowest;
        if (offset < headerSize || offset > header.diskSize) {
            ++nowhere;
        } else if (start + offset < fileSize) {
            anyInFile = true;
        }
    }
    // A writer stores the tracks one after the other from the end of the header on.
    if (present > 0 && lowest != headerSize) {
        doubts.push_back(
            format("the first track lies at offset %llu, not right after the header "
                   "(%llu bytes)",
                   lowest, headerSize));
    }
    if (nowhere * 2 > present) {
        doubts.push_back(format("%llu of %llu track offsets point outside the disk",
                                static_cast<unsigned long long>(nowhere),
                                static_cast<unsigned long long>(present)));
    }
    const std::int64_t inFile = fileSize - start;
    if (header.diskSize > inFile && present > nowhere && !anyInFile) {
        doubts.push_back(
            format("disk size %llu runs past the end of the file (%llu bytes left) "
                   "and not one track lies in the file",
                   header.diskSize, static_cast<unsigned long long>(inFile)));
    }
    return doubts;
}

}  // namespace d88info
