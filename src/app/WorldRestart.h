// The world started again in the same window, as the game started it: what a watched flight's restart and seek
// re-run from, so that they meet the very floats the flight met.
#pragma once

// The level read again with the seed taken again; the ship at its start; the clock, the input, the keys and the
// frame driver as they are before the first frame. The settings are the caller's.
void restartWorld(unsigned seed);
