// Fuzz target: the WAV reader on any file image, and what it reads played through the mixer at a pitch and
// gains taken from the input, looping, so the voices step through sounds of every length and rate.
#include <cstdint>

#include "audio/Mixer.h"
#include "audio/Wav.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Sound sound;
    if (!readWavFromMemory(data, size, sound, nullptr)) {
        if (!sound.samples.empty()) __builtin_trap();  // a refusal leaves the sound empty
        return 0;
    }
    if (sound.samples.size() % size_t(sound.channels) != 0 || size < sound.samples.size()) __builtin_trap();
    const float pitch = size > 0 ? 0.25f + float(data[size - 1]) / 32 : 1;
    Mixer mixer;
    mixer.play(&sound, 1, 0.5f, pitch, true);
    mixer.play(&sound, 0.3f, 1, 1 / pitch);
    int16_t out[2 * 256];
    for (int i = 0; i < 4; ++i) mixer.mix(out, 256);
    return 0;
}
