// The game's sound through Web Audio: the mixer pulled by a script processor at the mixer's rate. Browsers
// start sound only after a click or a key: the events call resume.
#pragma once

#include "common/Shell.h"

namespace web {

bool openAudio(MixSource source);
void resumeAudio();
void closeAudio();

}  // namespace web
