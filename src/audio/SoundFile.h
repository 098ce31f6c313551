// A sound by its name: NAME.ogg when there is one, else NAME.wav, read through the whole-file reader.
#pragma once

#include "audio/Wav.h"

// Reads the sound named by wavPath ("data/sounds/NAME.wav"), or the Ogg Vorbis file beside it with the same
// name, which comes first when it is there. A missing file is silent; any refusal is one line naming the file
// (a refused Ogg file gives way to the WAV). False when neither plays: the sound stays silent.
bool loadSound(const char* wavPath, Sound& sound);
