// The game's random numbers: 15-bit results from the same linear congruential generator on every platform.
#pragma once

void gameSrand(unsigned seed);  // srand semantics: the sequence restarts from the seed
int gameRand();                 // 0 to 32767
