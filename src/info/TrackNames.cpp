#include "TrackNames.h"

#include <cstdio>

#include "d88/TrackAddress.h"

namespace d88info {

std::string trackName(int track) {
    const d88::TrackAddress address = d88::TrackAddress::ofIndex(track);
    char text[32];
    std::snprintf(text, sizeof text, "track %d (C%d H%d)", track, address.cylinder(),
                  address.head());
    return text;
}

std::string trackRange(int first, int last) {
    if (first == last) {
        return "track " + std::to_string(first);
    }
    return "tracks " + std::to_string(first) + '-' + std::to_string(last);
}

}  // namespace d88info
