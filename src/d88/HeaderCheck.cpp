#include "HeaderCheck.h"

namespace d88 {

namespace {

bool isKnownMedia(std::uint8_t media) {
    return media == 0x00 || media == 0x10 || media == 0x20 || media == 0x30 || media == 0x40;
}

}  // namespace

HeaderFindings checkHeader(const DiskHeader& header, std::int64_t start, std::int64_t fileSize) {
    HeaderFindings found;
    found.unknownMedia = !isKnownMedia(header.media);
    // A table of 160 entries makes a 672-byte header; its last four entries
    // are the first track's bytes, no track offsets.
    found.headerSize = static_cast<std::uint32_t>(header.headerSize());
    found.diskSize = header.diskSize;
    found.smallerThanHeader = header.diskSize < found.headerSize;
    bool anyInFile = false;
    std::uint32_t lowest = 0;
    for (int track = 0; track < header.trackTableEntries(); ++track) {
        const std::uint32_t offset = header.trackOffsets[track];
        if (offset == 0) {
            continue;
        }
        ++found.presentTracks;
        lowest = lowest == 0 || offset < lowest ? offset : lowest;
        if (offset < found.headerSize || offset > header.diskSize) {
            ++found.tracksOutside;
        } else if (start + offset < fileSize) {
            anyInFile = true;
        }
    }
    // A writer stores the tracks one after the other from the end of the header on.
    if (found.presentTracks > 0 && lowest != found.headerSize) {
        found.misplacedFirstTrack = lowest;
    }
    found.bytesLeftInFile = fileSize - start;
    found.pastFileEndWithNoTrack = header.diskSize > found.bytesLeftInFile &&
                                   found.presentTracks > found.tracksOutside && !anyInFile;
    return found;
}

}  // namespace d88
