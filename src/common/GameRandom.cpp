// The game's random numbers: the classic generator behind the Windows C library's rand, so a seed places
// the same scenery on Linux and on Windows.
#include "common/GameRandom.h"

namespace {
unsigned randomState = 1;
}

void gameSrand(unsigned seed) { randomState = seed; }

int gameRand() {
    randomState = randomState * 214013u + 2531011u;
    return static_cast<int>((randomState >> 16) & 0x7fffu);
}
