#include "LeftOut.h"

#include <cstdint>
#include <limits>

namespace d88info {

namespace {

constexpr std::int64_t kLastIndexedStart = std::numeric_limits<std::int32_t>::max();

// The first disk of size 0, or -1. Each disk after it is the same header.
int firstEmptyDisk(d88::D88Image& image) {
    for (int index = 0; index < image.diskCount(); ++index) {
        if (image.selectDisk(index) && image.diskHeader().diskSize == 0) {
            return index;
        }
    }
    return -1;
}

void printEmptyDisk(std::FILE* out, d88::D88Image& image, int index) {
    const int last = d88::D88Image::kMaxDisks - 1;
    std::fprintf(out, "\ndisk %d at offset 0x%08llX: disk size 0: the same header counts again ",
                 index, static_cast<unsigned long long>(image.diskStart(index)));
    if (index == last) {
        std::fprintf(out, "as disk %d, not indexed\n", last + 1);
    } else if (index + 1 == last) {
        std::fprintf(out, "as disk %d\n", last);
    } else {
        std::fprintf(out, "as disks %d-%d\n", index + 1, last);
    }
}

}  // namespace

void printLeftOut(std::FILE* out, d88::D88Image& image) {
    const int empty = firstEmptyDisk(image);
    if (empty >= 0) {
        printEmptyDisk(out, image, empty);
        return;
    }
    // Where the disk after the last indexed one would start.
    const int count = image.diskCount();
    std::int64_t next = 0;
    if (count > 0) {
        if (!image.selectDisk(count - 1)) {
            return;
        }
        next = std::int64_t{image.diskStart(count - 1)} + image.diskHeader().diskSize;
    }
    const std::int64_t left = image.fileSize() - next;
    if (left <= 0) {
        return;
    }
    const auto offset = static_cast<unsigned long long>(next);
    if (left < static_cast<std::int64_t>(d88::DiskHeader::kSize)) {
        std::fprintf(out,
                     "\n%lld byte%s at offset 0x%08llX: too short to be a disk (a header is %zu "
                     "bytes)\n",
                     static_cast<long long>(left), left == 1 ? "" : "s", offset,
                     d88::DiskHeader::kSize);
    } else if (count == d88::D88Image::kMaxDisks) {
        std::fprintf(out,
                     "\ndisk %d at offset 0x%08llX: not indexed (%d disks at most); %lld bytes "
                     "from there on\n",
                     count, offset, d88::D88Image::kMaxDisks, static_cast<long long>(left));
    } else if (next > kLastIndexedStart) {
        std::fprintf(out,
                     "\ndisk %d at offset 0x%08llX: not indexed (starts at or beyond 2^31); %lld "
                     "bytes from there on\n",
                     count, offset, static_cast<long long>(left));
    }
}

}  // namespace d88info
