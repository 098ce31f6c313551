// The game's sound through Web Audio: the mixer pulled by a script processor at the mixer's rate. Browsers
// start sound only after a click, a tap or a key: those events call resume, which also makes the audio context,
// so that no audio call precedes them.
#pragma once

#include "common/Shell.h"

namespace web {

bool openAudio(MixSource source);
void resumeAudio();
void closeAudio();

}  // namespace web
