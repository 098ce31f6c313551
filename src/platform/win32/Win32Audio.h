// The Windows game's sound: the multimedia waveOut device, fed a few small buffers in turn from the mixer.
#pragma once

#include "common/Shell.h"

// Opens the device; without one (no sound driver, as under a bare Wine) the game plays silently after one
// line on stderr.
bool openAudio(MixSource source);
// After every pass: buffers the device has finished are mixed again and queued, as many as the passes' pace
// asks for (about 46 ms while frames are fast, up to 150 ms while they are slow).
void feedAudio();
void closeAudio();
