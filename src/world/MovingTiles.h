// The tiles that hold entities whose update does something (the ship, towers, shots, fireballs): the world
// update walks only these, in tile order, so its cost follows what moves, not the size of the world.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

class MovingTiles {
   public:
    static constexpr size_t none = ~size_t(0);

    // Room for this many tiles, none marked and none waiting for release.
    void reset(size_t tiles);
    void mark(size_t tile) { words_[tile / 64] |= uint64_t(1) << (tile % 64); }
    void unmark(size_t tile) { words_[tile / 64] &= ~(uint64_t(1) << (tile % 64)); }
    // The first marked tile at or after from; none when there is none. A walk that asks again after each
    // tile meets a tile marked during the walk if it lies ahead, as a walk over every tile would.
    size_t firstFrom(size_t from) const;

    // Tiles that unlinked nodes since the last release: only they have nodes to free.
    std::vector<size_t> unlinkedIn;

   private:
    std::vector<uint64_t> words_;  // one bit a tile
};
