// The Windows game's sound: the multimedia waveOut device, fed a few small buffers in turn from the mixer.
#pragma once

#include "common/Shell.h"

// Opens the device; without one (no sound driver, as under a bare Wine) the game plays silently after one
// line on stderr.
void openAudio(MixSource source);
// After every pass: every buffer the device has finished is mixed again and queued (about 46 ms in all).
void feedAudio();
void closeAudio();
