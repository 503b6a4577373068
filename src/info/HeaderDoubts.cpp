#include "HeaderDoubts.h"

#include <cstdio>

#include "d88/HeaderCheck.h"

namespace d88info {

namespace {

std::string format(const char* pattern, unsigned long long a, unsigned long long b = 0) {
    char text[128];
    std::snprintf(text, sizeof text, pattern, a, b);
    return text;
}

}  // namespace

std::vector<std::string> headerDoubts(const d88::DiskHeader& header, std::int64_t start,
                                      std::int64_t fileSize) {
    const d88::HeaderFindings found = d88::checkHeader(header, start, fileSize);
    std::vector<std::string> doubts;
    if (found.unknownMedia) {
        doubts.push_back(format("media byte 0x%02llX is none a D88 writer uses", header.media));
    }
    if (found.smallerThanHeader) {
        doubts.push_back(format("disk size %llu is smaller than a header (%llu bytes)",
                                found.diskSize, found.headerSize));
    }
    if (found.misplacedFirstTrack != 0) {
        doubts.push_back(
            format("the first track lies at offset %llu, not right after the header "
                   "(%llu bytes)",
                   found.misplacedFirstTrack, found.headerSize));
    }
    if (found.mostTracksOutside()) {
        doubts.push_back(format("%llu of %llu track offsets point outside the disk",
                                static_cast<unsigned long long>(found.tracksOutside),
                                static_cast<unsigned long long>(found.presentTracks)));
    }
    if (found.pastFileEndWithNoTrack) {
        doubts.push_back(
            format("disk size %llu runs past the end of the file (%llu bytes left) "
                   "and not one track lies in the file",
                   found.diskSize, static_cast<unsigned long long>(found.bytesLeftInFile)));
    }
    return doubts;
}

}  // namespace d88info
