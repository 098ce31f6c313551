// Fuzz target: the Ogg Vorbis reader on any file image, and what it decodes played through the mixer, as the
// WAV target does. Each input is read twice: as it is, and with every page's checksum made right, so that
// mutations get past the page check and reach the headers and the decoder behind it.
#include <cstdint>
#include <vector>

#include "audio/Mixer.h"
#include "audio/OggPages.h"
#include "audio/OggVorbis.h"

namespace {
void readAndPlay(const uint8_t* data, size_t size) {
    Sound sound;
    if (!readOggFromMemory(data, size, sound, nullptr)) {
        if (!sound.samples.empty()) __builtin_trap();  // a refusal leaves the sound empty
        return;
    }
    if (sound.samples.size() % size_t(sound.channels) != 0 || sound.frames() > oggLimits::decodedFrames)
        __builtin_trap();
    Mixer mixer;
    mixer.play(&sound, 1, 0.5f, 1.5f, true);
    int16_t out[2 * 256];
    for (int i = 0; i < 4; ++i) mixer.mix(out, 256);
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    readAndPlay(data, size);
    std::vector<uint8_t> mended(data, data + size);
    for (size_t at = 0, length; (length = oggPageLength(mended.data() + at, size - at)) != 0; at += length) {
        const uint32_t crc = oggPageChecksum(mended.data() + at, length);
        for (int i = 0; i < 4; ++i) mended[at + oggPage::checksumAt + size_t(i)] = uint8_t(crc >> (8 * i));
    }
    readAndPlay(mended.data(), size);
    return 0;
}
