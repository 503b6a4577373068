// Drives the D88 image reader over an arbitrary file and checks the promises of
// its results: never more than asked, runs made of whole pieces unless the last
// one is cut, listings of whole 4-byte entries, and no read outside the buffers
// (each buffer is allocated at exactly the size handed in, for ASan to watch).
// It also walks every track the way d88info shows it and requires the sector
// search to find exactly those records, with the file's bytes.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include "FuzzScratch.h"
#include "d88/D88Image.h"
#include "info/TrackWalk.h"

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

// A buffer of exactly `len` bytes, made once and reused, so that ASan sees any
// write past the length handed to the reader.
std::uint8_t* bufferOf(std::int32_t len) {
    static std::vector<std::vector<std::uint8_t>> buffers;
    for (std::vector<std::uint8_t>& buffer : buffers) {
        if (buffer.size() == static_cast<std::size_t>(len)) {
            return buffer.data();
        }
    }
    buffers.emplace_back(static_cast<std::size_t>(len));
    return buffers.back().data();
}

void checkSector(d88::D88Image& image, std::int32_t track, const std::uint8_t* id) {
    for (std::int32_t len : {0, 1, 256, 1024, 70000, -5}) {
        const std::int32_t got =
            image.readSector(track, id[0], id[1], id[2], id[3], bufferOf(len < 0 ? 0 : len), len);
        require(got >= 0 && got <= (len < 0 ? 0 : len));
    }
}

void checkRun(d88::D88Image& image, std::int32_t track, const std::uint8_t* id,
              const RunShape& shape) {
    image.setSectorRange(shape.first, shape.last);
    const std::int32_t got =
        image.readSectors(track, id[0], id[1], id[2], shape.n, bufferOf(shape.len), shape.len);
    require(got >= 0 && got <= shape.len);
    // A run is whole pieces, unless every byte asked was read (the last piece may be cut).
    if (shape.n >= 0 && shape.n <= 23 && got != shape.len) {
        require(got % (std::int32_t{128} << shape.n) == 0);
    }
}

// Lists the track, reads its first sectors singly, and starts a run of every
// shape at one of them in turn.
void checkTrack(d88::D88Image& image, std::int32_t track) {
    constexpr std::int32_t kIdsLength = 4 * 8 + 3;
    std::uint8_t* ids = bufferOf(kIdsLength);
    const std::int32_t listed = image.listSectorIds(track, ids, kIdsLength);
    require(listed >= 0 && listed <= kIdsLength && listed % 4 == 0);
    const std::int32_t count = listed / 4;
    for (std::int32_t i = 0; i < count && i < 4; ++i) {
        checkSector(image, track, ids + 4 * i);
    }
    if (count == 0) {
        return;
    }
    std::int32_t shapeIndex = 0;
    for (const RunShape& shape : kRunShapes) {
        checkRun(image, track, ids + 4 * (shapeIndex++ % count), shape);
    }
}

// The record a sector search for `id` must find on the track d88info walked,
// or null when it must find none; `known` is false when the walk was cut short
// before its end, so that an ID it did not meet may still be on the track.
const d88::TrackRecord* recordFound(const d88info::TrackWalk& walk, const std::uint8_t* id,
                                    bool& known) {
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

// Every ID d88info met on the track, and each with R one higher, read through
// the sector search: found where d88info says, with the file's bytes.
void checkAgainstInfo(d88::D88Image& image, const d88info::TrackWalk& walk,
                      const std::uint8_t* file, std::size_t fileSize) {
    constexpr std::int32_t kLength = 65535;
    std::uint8_t* buffer = bufferOf(kLength);
    const std::size_t tried = walk.records.size() < 16 ? walk.records.size() : 16;
    for (std::size_t i = 0; i < tried; ++i) {
        const d88::SectorHeader& h = walk.records[i].header;
        for (int rStep = 0; rStep <= 1; ++rStep) {
            const std::uint8_t id[4] = {h.c, h.h, static_cast<std::uint8_t>(h.r + rStep), h.n};
            bool known = true;
            const d88::TrackRecord* want = recordFound(walk, id, known);
            const std::int32_t got =
                image.readSector(walk.track, id[0], id[1], id[2], id[3], buffer, kLength);
            if (!known) {
                continue;
            }
            require(got == (want == nullptr ? 0 : static_cast<std::int32_t>(want->dataInFile)));
            if (got > 0) {
                const auto at = static_cast<std::size_t>(want->dataOffset);
                require(at + static_cast<std::size_t>(got) <= fileSize &&
                        std::memcmp(buffer, file + at, static_cast<std::size_t>(got)) == 0);
            }
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (!d88fuzz::writeImage(data, size)) {
        return 0;
    }
    static d88::D88Image image;
    require(image.open(d88fuzz::scratchImagePath().c_str()));
    const std::int32_t disks = image.diskCount();
    require(disks >= 0 && disks <= d88::D88Image::kMaxDisks);
    for (std::int32_t index = -1; index <= disks + 1; ++index) {
        const bool selected = image.selectDisk(index);
        require(!selected || (index >= 0 && index < disks));
        if (!selected) {
            require(image.mediaType() == -1 && image.diskName()[0] == '\0');
        }
        for (std::int32_t track = -1; track <= d88::D88Image::kTrackCount; ++track) {
            checkTrack(image, track);
        }
        if (selected) {
            static const auto walks = std::make_unique<d88info::DiskWalk>();
            d88info::walkDisk(image, image.diskStart(index), *walks);
            for (const d88info::TrackWalk& walk : *walks) {
                checkAgainstInfo(image, walk, data, size);
            }
        }
    }
    image.open(nullptr);
    return 0;
}
