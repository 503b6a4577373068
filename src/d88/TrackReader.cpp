#include "TrackReader.h"

#include <cstring>

namespace d88 {

void TrackReader::fillAt(std::int64_t offset) {
    windowStart = offset;
    windowLength = file.readAt(offset, window, windowSize);
    windowValid = true;
}

bool TrackReader::nextHeader(SectorHeader& header) {
    const std::int64_t headerEnd = position + static_cast<std::int64_t>(SectorHeader::kSize);
    const bool inWindow = windowValid && position >= windowStart && headerEnd <= windowEnd();
    if (!inWindow) {
        const bool pastEnd = windowValid && windowReachesEnd() && position >= windowStart;
        if (pastEnd) {
            return false;
        }
        fillAt(position);
        if (windowLength < SectorHeader::kSize) {
            return false;
        }
    }
    header = SectorHeader::parse(window + (position - windowStart));
    position = headerEnd;
    dataLength = header.dataLength;
    return true;
}

std::int32_t TrackReader::readData(std::uint8_t* dest, std::int32_t count) {
    if (count > dataLength) {
        count = dataLength;
    }
    if (count <= 0) {
        return 0;
    }
    // The header was in the window, so the data starts inside it or right at its end.
    const std::int64_t inWindow = windowEnd() - position;
    const std::int32_t copied = inWindow < count ? static_cast<std::int32_t>(inWindow) : count;
    std::memcpy(dest, window + (position - windowStart), static_cast<std::size_t>(copied));
    if (copied == count || windowReachesEnd()) {
        return copied;
    }
    // Read the rest straight on from the window's end.
    const std::size_t rest = static_cast<std::size_t>(count - copied);
    return copied + static_cast<std::int32_t>(file.readAt(windowEnd(), dest + copied, rest));
}

}  // namespace d88
