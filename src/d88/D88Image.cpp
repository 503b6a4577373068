#include "D88Image.h"

#include <limits>

#include "ByteOrder.h"
#include "SectorHeader.h"

namespace d88 {

namespace {

constexpr std::int64_t kMaxOffset = std::numeric_limits<std::int32_t>::max();
// Largest size code readSectors() reads with: its sector size 128 << n is
// still a positive int32.
constexpr std::int32_t kMaxReadableSizeCode = 23;

}  // namespace

void D88Image::clearSelection() {
    diskOffset = -1;
    mediaCode = -1;
    header.diskSize = 0;
    header.name[0] = '\0';
}

bool D88Image::open(const char* path) {
    lastOpenError = OpenError::None;
    window.clear();
    idCache.clear();
    // Opening a file, or none, drops the one before and its selection; a file
    // that cannot be opened keeps the disk count as it was.
    clearSelection();
    if (path == nullptr) {
        file.close();
        numDisks = 0;
        return true;
    }
    file.close();
    lastOpenError = file.open(path);
    if (lastOpenError != OpenError::None) {
        return false;
    }
    indexDisks();
    return true;
}

void D88Image::openBytes(const std::uint8_t* bytes, std::int64_t size) {
    lastOpenError = OpenError::None;
    window.clear();
    idCache.clear();
    clearSelection();
    file.openBytes(bytes, size);
    indexDisks();
}

void D88Image::indexDisks() {
    std::int64_t runningOffset = 0;
    numDisks = 0;
    while (numDisks < kMaxDisks && runningOffset <= kMaxOffset) {
        diskOffsets[numDisks] = static_cast<std::int32_t>(runningOffset);
        std::uint8_t header[DiskHeader::kSize];
        if (file.readAt(runningOffset, header, sizeof header) != sizeof header) {
            return;
        }
        runningOffset += readU32LE(header + DiskHeader::kDiskSizeOffset);
        ++numDisks;
    }
}

std::int32_t D88Image::diskStart(std::int32_t index) const {
    if (index < 0 || index >= numDisks) {
        return -1;
    }
    return diskOffsets[index];
}

bool D88Image::selectDisk(std::int32_t index) {
    if (!file.isOpen()) {
        return false;
    }
    clearSelection();
    idCache.clear();
    if (index < 0 || index >= numDisks) {
        return false;
    }
    std::uint8_t bytes[DiskHeader::kSize];
    if (file.readAt(diskOffsets[index], bytes, sizeof bytes) != sizeof bytes) {
        return false;
    }
    header = DiskHeader::parse(bytes);
    diskOffset = diskOffsets[index];
    mediaCode = header.media;
    return true;
}

void D88Image::setSectorRange(std::int32_t first, std::int32_t last) {
    firstSector = first;
    lastSector = last;
}

WalkEnd D88Image::locateTrack(std::int32_t track, std::int64_t& start) const {
    if (!file.isOpen() || track < 0 || track >= kTrackCount) {
        return WalkEnd::Absent;
    }
    const std::uint32_t offset = header.trackOffsets[track];
    if (offset == 0) {
        return WalkEnd::Absent;
    }
    // A track may start at the disk's very end, but not beyond it.
    if (offset > header.diskSize) {
        return WalkEnd::BeyondDisk;
    }
    start = std::int64_t{diskOffset} + offset;
    return WalkEnd::Going;
}

RecordWalk D88Image::walkTrack(std::int32_t track, WalkRule rule) {
    std::int64_t start = 0;
    const WalkEnd located = locateTrack(track, start);
    if (located != WalkEnd::Going) {
        return RecordWalk(located);
    }
    return RecordWalk(window, start, rule);
}

void D88Image::cacheTrackIds(bool cache) {
    cachingIds = cache;
    idCache.clear();
}

const TrackIdIndex* D88Image::cachedIds(std::int64_t start) {
    return cachingIds ? idCache.find(start) : nullptr;
}

void D88Image::notifyTrackRead(std::int64_t start, bool walked) const {
    if (trackReadObserver != nullptr) {
        trackReadObserver(start, walked);
    }
}

bool D88Image::searchTrack(std::int64_t start, std::int32_t c, std::int32_t h, std::int32_t r,
                           std::int32_t n, TrackRecord& found) {
    TrackIdIndex* fresh = cachingIds ? &idCache.prepare() : nullptr;
    bool matched = false;
    RecordWalk walk(window, start, WalkRule::Search);
    for (TrackRecord record; walk.nextSearched(record);) {
        if (!matched && record.header.hasId(c, h, r, n)) {
            found = record;
            matched = true;
        }
        if (fresh != nullptr && !fresh->add(record)) {
            fresh = nullptr;  // too many IDs to cache: a plain search
        }
        if (matched && fresh == nullptr) {
            return true;
        }
    }
    if (fresh != nullptr) {
        idCache.keep(start);
    }
    return matched;
}

std::int32_t D88Image::readSector(std::int32_t track, std::int32_t c, std::int32_t h,
                                  std::int32_t r, std::int32_t n, std::uint8_t* dest,
                                  std::int32_t len) {
    TrackRecord record;
    const bool found = findRecord(track, c, h, r, n, len, record);
    // Only the bytes the file really holds count as read.
    const std::int32_t copied = found ? copyRecordData(window, record, dest, len) : 0;
    if (sectorReadObserver != nullptr) {
        sectorReadObserver->sectorRead({track, c, h, r, n, len}, found ? &record : nullptr, copied);
    }
    return copied;
}

bool D88Image::findRecord(std::int32_t track, std::int32_t c, std::int32_t h, std::int32_t r,
                          std::int32_t n, std::int32_t len, TrackRecord& record) {
    std::int64_t start = 0;
    if (len < 0 || locateTrack(track, start) != WalkEnd::Going) {
        return false;
    }
    const TrackIdIndex* known = cachedIds(start);
    notifyTrackRead(start, known == nullptr);
    return known != nullptr ? known->find(c, h, r, n, record)
                            : searchTrack(start, c, h, r, n, record);
}

std::int32_t D88Image::readSectors(std::int32_t track, std::int32_t c, std::int32_t h,
                                   std::int32_t r, std::int32_t n, std::uint8_t* dest,
                                   std::int32_t len) {
    if (len < 0 || n < 0 || n > kMaxReadableSizeCode) {
        return 0;
    }
    std::int32_t piece = std::int32_t{128} << n;
    std::int32_t total = 0;
    while (total < len) {
        if (piece > len - total) {
            piece = len - total;
        }
        if (readSector(track, c, h, r, n, dest + total, piece) < piece) {
            return total;
        }
        total += piece;
        // A sector was found, so track, c and r are small values here and
        // stepping them cannot overflow.
        if (r == lastSector) {
            ++track;
            if (h == 0) {
                h = 1;
            } else {
                h = 0;
                ++c;
            }
            r = firstSector;
        } else {
            ++r;
        }
    }
    return total;
}

std::int32_t D88Image::listSectorIds(std::int32_t track, std::uint8_t* out, std::int32_t len) {
    RecordWalk walk = walkTrack(track, WalkRule::Listing);
    std::int32_t written = 0;
    TrackRecord record;
    while (len - written >= 4 && walk.next(record)) {
        out[written + 0] = record.header.c;
        out[written + 1] = record.header.h;
        out[written + 2] = record.header.r;
        out[written + 3] = record.header.n;
        written += 4;
    }
    return written;
}

}  // namespace d88
