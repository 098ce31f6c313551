// The SDL game's sound: SDL's audio device, its queue kept a little ahead from the game's mixer.
#pragma once

#include "common/Shell.h"

// Opens the device. Without one (no driver, SDL's dummy driver, a busy device) the game plays silently after
// one line on stderr; sound never keeps the game from starting.
bool openAudio(MixSource source);
// After every pass: tops the queue up to the lead the passes' pace asks for (audio/AudioLead.h): about 46 ms
// while frames are fast, so an event reaches the speaker within about 60 ms, up to 150 ms while they are slow,
// so the sound has no gaps.
void feedAudio();
void closeAudio();
