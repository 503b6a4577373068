// Runs d88cut in-process on a command line and reports how its reader got the
// sectors: how many sector reads met a track that is there, how many of them
// walked the track rather than answer from a walk remembered, and how many
// distinct track starts were read. d88cut's own output goes where it would.
//
//   bench_walk_count IMAGE [-op | DISKNO]    prints "reader: READS WALKS STARTS" on stderr
#include <cstdint>
#include <cstdio>
#include <set>

#include "cutter/Cutter.h"
#include "cutter/RunState.h"

namespace {

std::uint64_t reads = 0;
std::uint64_t walks = 0;
std::set<std::int64_t> starts;

void countTrackRead(std::int64_t trackStart, bool walked) {
    ++reads;
    walks += walked ? 1 : 0;
    starts.insert(trackStart);
}

}  // namespace

int main(int argc, char** argv) {
    d88cut::runState.image.observeTrackReads(countTrackRead);
    const int status = d88cut::runCutter(argc, argv);
    std::fprintf(stderr, "reader: %llu %llu %zu\n", static_cast<unsigned long long>(reads),
                 static_cast<unsigned long long>(walks), starts.size());
    return status;
}
