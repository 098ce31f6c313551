// MovingTiles: a bit a tile, and the search for the next marked one.
#include "world/MovingTiles.h"

namespace {

size_t lowestBit(uint64_t bits) {
#if defined(__GNUC__)
    return size_t(__builtin_ctzll(bits));
#else
    size_t n = 0;
    while (!(bits & 1)) bits >>= 1, ++n;
    return n;
#endif
}

}  // namespace

void MovingTiles::reset(size_t tiles) {
    words_.assign((tiles + 63) / 64, 0);
    unlinkedIn.clear();
}

size_t MovingTiles::firstFrom(size_t from) const {
    size_t word = from / 64;
    if (word >= words_.size()) return none;
    uint64_t bits = words_[word] & (~uint64_t(0) << (from % 64));
    while (bits == 0) {
        if (++word == words_.size()) return none;
        bits = words_[word];
    }
    return word * 64 + lowestBit(bits);
}
