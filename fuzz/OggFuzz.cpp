// Fuzz target: the Ogg Vorbis reader on any file image, and what it decodes played through the mixer, as the
// WAV target does.
#include <cstdint>

#include "audio/Mixer.h"
#include "audio/OggVorbis.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Sound sound;
    if (!readOggFromMemory(data, size, sound, nullptr)) {
        if (!sound.samples.empty()) __builtin_trap();  // a refusal leaves the sound empty
        return 0;
    }
    if (sound.samples.size() % size_t(sound.channels) != 0 || sound.frames() > oggLimits::decodedFrames)
        __builtin_trap();
    Mixer mixer;
    mixer.play(&sound, 1, 0.5f, 1.5f, true);
    int16_t out[2 * 256];
    for (int i = 0; i < 4; ++i) mixer.mix(out, 256);
    return 0;
}
