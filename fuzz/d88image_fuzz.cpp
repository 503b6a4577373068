// Drives the D88 image reader over an arbitrary file and checks the promises of
// its results: never more than asked, runs made of whole pieces unless the last
// one is cut, listings of whole 4-byte entries, and no read outside the buffers
// (each buffer is allocated at exactly the size handed in, for ASan to watch).
//
// Every read is made twice, by a reader that caches the sector IDs of the
// tracks it walked and by one that walks each track anew for every sector, and
// both must give the same result and the same bytes, in whatever order the
// tracks are read. The caching reader must also find exactly the records that
// a plain walk of each track meets, with the file's bytes.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include "FuzzScratch.h"
#include "d88/D88Image.h"

namespace {

void require(bool condition) {
    if (!condition) {
        std::abort();
    }
}

struct RunShape {
    std::int32_t first;
    std::int32_t last;
    std::int32_t n;
    std::int32_t len;
};

// Sector ranges, size codes and lengths the reader must take, sensible or not.
constexpr RunShape kRunShapes[] = {
    {0, 4, 3, 5120}, {16, 20, 3, 3072},  {1, 16, 1, 2500}, {80, 84, 3, 6144}, {0, 0, 0, 700},
    {5, 2, 2, 1},    {0, 255, 7, 40000}, {1, 16, 24, 64},  {1, 16, -1, 64},
};

// A buffer of exactly `len` bytes for reader `which` (0 or 1), made once and
// reused, so that ASan sees any write past the length handed to the reader.
std::uint8_t* bufferOf(std::int32_t len, int which) {
    static std::vector<std::vector<std::uint8_t>> buffers[2];
    const std::size_t size = len < 0 ? 0 : static_cast<std::size_t>(len);
    for (std::vector<std::uint8_t>& buffer : buffers[which]) {
        if (buffer.size() == size) {
            return buffer.data();
        }
    }
    buffers[which].emplace_back(size);
    return buffers[which].back().data();
}

// The remembering reader and the plain one, on the same file and disk.
struct Readers {
    d88::D88Image& remembering;
    d88::D88Image& plain;
};

void requireSameBytes(std::int32_t got, std::int32_t len) {
    const auto bytes = static_cast<std::size_t>(got);
    require(bytes == 0 || std::memcmp(bufferOf(len, 0), bufferOf(len, 1), bytes) == 0);
}

std::int32_t readSector(Readers& readers, std::int32_t track, const std::uint8_t* id,
                        std::int32_t len) {
    const std::int32_t got =
        readers.remembering.readSector(track, id[0], id[1], id[2], id[3], bufferOf(len, 0), len);
    const std::int32_t plain =
        readers.plain.readSector(track, id[0], id[1], id[2], id[3], bufferOf(len, 1), len);
    require(got == plain && got >= 0 && got <= (len < 0 ? 0 : len));
    requireSameBytes(got, len);
    return got;
}

void checkRun(Readers& readers, std::int32_t track, const std::uint8_t* id, const RunShape& shape) {
    std::int32_t results[2];
    d88::D88Image* images[2] = {&readers.remembering, &readers.plain};
    for (int which = 0; which < 2; ++which) {
        images[which]->setSectorRange(shape.first, shape.last);
        results[which] = images[which]->readSectors(track, id[0], id[1], id[2], shape.n,
                                                    bufferOf(shape.len, which), shape.len);
    }
    const std::int32_t got = results[0];
    require(got == results[1] && got >= 0 && got <= shape.len);
    requireSameBytes(got, shape.len);
    // A run is whole pieces, unless every byte asked was read (the last piece may be cut).
    if (shape.n >= 0 && shape.n <= 23 && got != shape.len) {
        require(got % (std::int32_t{128} << shape.n) == 0);
    }
}

// Lists the track, reads its first sectors singly, and starts a run of every
// shape at one of them in turn.
void checkTrack(Readers& readers, std::int32_t track) {
    constexpr std::int32_t kIdsLength = 4 * 8 + 3;
    std::uint8_t* ids = bufferOf(kIdsLength, 0);
    const std::int32_t listed = readers.remembering.listSectorIds(track, ids, kIdsLength);
    require(listed >= 0 && listed <= kIdsLength && listed % 4 == 0);
    require(readers.plain.listSectorIds(track, bufferOf(kIdsLength, 1), kIdsLength) == listed);
    requireSameBytes(listed, kIdsLength);
    const std::int32_t count = listed / 4;
    for (std::int32_t i = 0; i < count && i < 4; ++i) {
        for (std::int32_t len : {0, 1, 256, 1024, 70000, -5}) {
            readSector(readers, track, ids + 4 * i, len);
        }
    }
    if (count == 0) {
        return;
    }
    std::int32_t shapeIndex = 0;
    for (const RunShape& shape : kRunShapes) {
        checkRun(readers, track, ids + 4 * (shapeIndex++ % count), shape);
    }
}

// A track's records as the reader's own walk meets them, up to a bound: what
// the sector search must agree with.
struct WalkedTrack {
    int index = 0;
    std::vector<d88::TrackRecord> records;
    d88::WalkEnd end = d88::WalkEnd::Absent;
    bool capped = false;  // the bound was reached and the walk goes on
};

WalkedTrack walkRecords(d88::D88Image& image, int index) {
    constexpr std::size_t kMaxRecords = 256;
    WalkedTrack track;
    track.index = index;
    d88::RecordWalk walk = image.walkTrack(index, d88::WalkRule::Search);
    d88::TrackRecord record;
    while (track.records.size() < kMaxRecords && walk.next(record)) {
        track.records.push_back(record);
    }
    track.end = walk.end();
    track.capped = track.end == d88::WalkEnd::Going;
    return track;
}

// The record a sector search for `id` must find on the track walked,
// or null when it must find none; `known` is false when the walk was cut short
// before its end, so that an ID it did not meet may still be on the track.
const d88::TrackRecord* recordFound(const WalkedTrack& walk, const std::uint8_t* id, bool& known) {
    known = !walk.capped;
    for (std::size_t i = 0; i < walk.records.size(); ++i) {
        // A record with count 0 ends the search before its ID is looked at.
        if (walk.end == d88::WalkEnd::CountZero && i + 1 == walk.records.size()) {
            break;
        }
        const d88::SectorHeader& h = walk.records[i].header;
        if (h.c == id[0] && h.h == id[1] && h.r == id[2] && h.n == id[3]) {
            known = true;
            return &walk.records[i];
        }
    }
    return nullptr;
}

// IDs the walk met on the track, and each with R one higher, read through the
// sector search: found where the walk says, with the file's bytes.
void checkAgainstWalk(Readers& readers, const WalkedTrack& walk, const std::uint8_t* file,
                      std::size_t fileSize) {
    constexpr std::int32_t kLength = 65535;
    // Records from all over the track, the last ones included: a walk keeps
    // only so many IDs.
    constexpr std::size_t kTried = 40;
    const std::size_t count = walk.records.size();
    for (std::size_t j = 0; j < count && j < kTried; ++j) {
        const std::size_t i = count <= kTried ? j : count - 1 - j * count / kTried;
        const d88::SectorHeader& h = walk.records[i].header;
        for (int rStep = 0; rStep <= 1; ++rStep) {
            const std::uint8_t id[4] = {h.c, h.h, static_cast<std::uint8_t>(h.r + rStep), h.n};
            bool known = true;
            const d88::TrackRecord* want = recordFound(walk, id, known);
            const std::int32_t got = readSector(readers, walk.index, id, kLength);
            if (!known) {
                continue;
            }
            require(got == (want == nullptr ? 0 : static_cast<std::int32_t>(want->dataInFile)));
            if (got > 0) {
                const auto at = static_cast<std::size_t>(want->dataOffset);
                require(at + static_cast<std::size_t>(got) <= fileSize &&
                        std::memcmp(bufferOf(kLength, 0), file + at,
                                    static_cast<std::size_t>(got)) == 0);
            }
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (!d88fuzz::writeImage(data, size)) {
        return 0;
    }
    static d88::D88Image remembering;
    static d88::D88Image plain;
    plain.cacheTrackIds(false);
    Readers readers{remembering, plain};
    require(remembering.open(d88fuzz::scratchImagePath().c_str()));
    require(plain.open(d88fuzz::scratchImagePath().c_str()));
    const std::int32_t disks = remembering.diskCount();
    require(disks >= 0 && disks <= d88::D88Image::kMaxDisks && plain.diskCount() == disks);
    constexpr std::int32_t kTracks = d88::D88Image::kTrackCount;
    for (std::int32_t index = -1; index <= disks + 1; ++index) {
        const bool selected = remembering.selectDisk(index);
        require(plain.selectDisk(index) == selected);
        require(!selected || (index >= 0 && index < disks));
        if (!selected) {
            require(remembering.mediaType() == -1 && remembering.diskName()[0] == '\0');
        }
        for (std::int32_t track = -1; track <= kTracks; ++track) {
            checkTrack(readers, track);
        }
        // The tracks again in another order, so that remembered walks are met
        // out of turn and pushed out of the memory by others.
        for (std::int32_t step = 0; step < kTracks + 2; ++step) {
            checkTrack(readers, (step * 37) % (kTracks + 2) - 1);
        }
        if (selected) {
            for (int track = 0; track < kTracks; ++track) {
                checkAgainstWalk(readers, walkRecords(remembering, track), data, size);
            }
        }
    }
    remembering.open(nullptr);
    plain.open(nullptr);
    return 0;
}
