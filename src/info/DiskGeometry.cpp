#include "DiskGeometry.h"

#include <algorithm>

#include "d88/TrackAddress.h"

namespace d88info {

namespace {

// Largest size code a geometry is shown for: its sector, 128 << n bytes, is
// one a 16-bit data length holds.
constexpr int kMaxGeometrySizeCode = 8;

const char* plural(std::int64_t count) {
    return count == 1 ? "" : "s";
}

// Whether every record of `track` has size code `n` and the data length of
// that size, the C and H of its first record, and a sector number of its own.
bool isUniform(const TrackRecords& track, int n) {
    const d88::SectorHeader& first = track.records[0].header;
    bool numbered[256] = {};
    for (const d88::TrackRecord& record : track.records) {
        const d88::SectorHeader& id = record.header;
        if (id.n != n || id.dataLength != (128 << n) || id.c != first.c || id.h != first.h ||
            numbered[id.r]) {
            return false;
        }
        numbered[id.r] = true;
    }
    return true;
}

}  // namespace

std::optional<Geometry> regularGeometry(const DiskTracks& tracks) {
    bool seen[256][d88::TrackAddress::kHeads] = {};
    int present = 0;
    std::size_t sectors = 0;
    int n = -1;
    int lastCylinder = 0;
    int lastHead = 0;
    for (const TrackRecords& track : tracks) {
        if (!track.present()) {
            continue;
        }
        if (track.records.empty() || (present > 0 && track.records.size() != sectors)) {
            return std::nullopt;
        }
        const d88::SectorHeader& first = track.records[0].header;
        if (n < 0) {
            n = first.n;
        }
        if (n > kMaxGeometrySizeCode || first.h > d88::TrackAddress::kMaxHead ||
            seen[first.c][first.h] || !isUniform(track, n)) {
            return std::nullopt;
        }
        seen[first.c][first.h] = true;
        lastCylinder = std::max(lastCylinder, int{first.c});
        lastHead = std::max(lastHead, int{first.h});
        sectors = track.records.size();
        ++present;
    }
    // Distinct cylinders and heads, as many as the grid has places: all there.
    const int cylinders = lastCylinder + 1;
    const int heads = lastHead + 1;
    if (present == 0 || present != cylinders * heads) {
        return std::nullopt;
    }
    const int sectorSize = 128 << n;
    const std::int64_t capacity =
        std::int64_t{present} * static_cast<std::int64_t>(sectors) * sectorSize;
    return Geometry{cylinders, heads, sectors, sectorSize, capacity};
}

void printGeometry(std::FILE* out, const Geometry& geometry) {
    std::fprintf(
        out, "  geometry: %d cylinder%s x %d head%s x %zu sector%s x %d bytes = %lld bytes\n",
        geometry.cylinders, plural(geometry.cylinders), geometry.heads, plural(geometry.heads),
        geometry.sectors, plural(static_cast<std::int64_t>(geometry.sectors)), geometry.sectorSize,
        static_cast<long long>(geometry.capacity));
}

}  // namespace d88info
