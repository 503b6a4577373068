// A track of a disk named by its index in the track table, and the cylinder
// and head that index stands for: index = cylinder * 2 + head. A sector read
// on a track index asks for this cylinder and head in the sector's ID.
#pragma once

namespace d88 {

struct TrackAddress {
    static constexpr int kHeads = 2;
    static constexpr int kMaxHead = kHeads - 1;

    int index = 0;

    static constexpr TrackAddress ofIndex(int index) { return TrackAddress{index}; }
    static constexpr TrackAddress at(int cylinder, int head) {
        return TrackAddress{cylinder * kHeads + head};
    }
    constexpr int cylinder() const { return index / kHeads; }
    constexpr int head() const { return index % kHeads; }
};

}  // namespace d88
