// Drives the D88 image reader over an arbitrary file and checks the promises of
// its results: never more than asked, runs made of whole pieces unless the last
// one is cut, listings of whole 4-byte entries, and no read outside the buffers
// (each buffer is allocated at exactly the size handed in, for ASan to watch).
#include <cstdint>
#include <cstdlib>
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
    }
    image.open(nullptr);
    return 0;
}
