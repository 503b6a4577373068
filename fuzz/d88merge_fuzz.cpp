// Merges two images made from the input in-process, as d88merge does with
// -o and --json: no pair of images may make it crash, read out of bounds or
// hang; its report must be one JSON document, and the merged image must read
// back with the reader as written: every disk whole, every track a walk that
// ends where its records' sector counts say.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "FuzzScratch.h"
#include "JsonCheck.h"
#include "d88/D88Image.h"
#include "merge/Merge.h"

namespace {

std::FILE* sink() {
    static std::FILE* file = std::fopen("/dev/null", "w");
    return file;
}

bool writeFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        return false;
    }
    const bool written =
        bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && written;
}

// The second image: the input with bytes from a place the first byte picks
// on turned round every few bytes, or the input's second half.
std::vector<std::uint8_t> otherDump(const std::uint8_t* data, std::size_t size) {
    std::vector<std::uint8_t> other(data, data + size);
    if (size == 0) {
        return other;
    }
    if (data[0] & 1) {
        return std::vector<std::uint8_t>(data + size / 2, data + size);
    }
    const std::size_t step = 3 + data[0] % 61;
    for (std::size_t at = (static_cast<std::size_t>(data[0]) * 97) % size; at < size; at += step) {
        other[at] = static_cast<std::uint8_t>(~other[at]);
    }
    return other;
}

void fail(const char* what) {
    std::fprintf(stderr, "d88merge: %s\n", what);
    std::abort();
}

// Every disk of the merged image reads back whole, every track to its last record.
void checkMerged(const std::string& path) {
    d88::D88Image image;
    if (!image.open(path.c_str())) {
        fail("the merged image cannot be opened");
    }
    std::int64_t end = 0;
    for (int disk = 0; disk < image.diskCount(); ++disk) {
        if (!image.selectDisk(disk)) {
            fail("a merged disk's header cannot be read");
        }
        end = image.diskStart(disk) + image.diskHeader().diskSize;
        for (int track = 0; track < d88::D88Image::kTrackCount; ++track) {
            d88::RecordWalk walk = image.walkTrack(track, d88::WalkRule::Listing);
            d88::TrackRecord record;
            while (walk.next(record)) {
                if (record.dataInFile != record.header.dataLength) {
                    fail("a merged record's data is cut off");
                }
            }
            if (walk.end() != d88::WalkEnd::LastRecord && walk.end() != d88::WalkEnd::Absent) {
                fail("a merged track does not end at its last record");
            }
        }
    }
    if (end != image.fileSize()) {
        fail("the merged disks do not fill the image");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string first = d88fuzz::scratchImagePath();
    const std::string second = d88fuzz::scratchPath("second.d88");
    const std::string merged = d88fuzz::scratchPath("merged.d88");
    if (sink() == nullptr || !d88fuzz::writeImage(data, size) ||
        !writeFile(second, otherDump(data, size))) {
        std::abort();
    }
    std::remove(merged.c_str());
    std::vector<std::string> args = {"d88merge", "--json", "--lang", "en",
                                     "-o",       merged,   first,    second};
    std::vector<char*> argv;
    for (std::string& arg : args) {
        argv.push_back(arg.data());
    }
    argv.push_back(nullptr);
    std::FILE* out = std::tmpfile();
    if (out == nullptr) {
        std::abort();
    }
    const int status = d88merge::runMerge(static_cast<int>(args.size()), argv.data(), out, sink());
    const std::string report = d88fuzz::readBack(out);
    if (status == 1) {
        // An image that is no D88 image, or a disk too large: nothing written.
        std::FILE* left = std::fopen(merged.c_str(), "rb");
        if (left != nullptr) {
            fail("a merge that failed left an image");
        }
        return 0;
    }
    if (status != 0 && status != 2) {
        fail("an exit status of no merge");
    }
    d88test::JsonValue value;
    std::string error;
    if (!d88test::parseJson(report, value, error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        fail("the report is no JSON document");
    }
    checkMerged(merged);
    return 0;
}
