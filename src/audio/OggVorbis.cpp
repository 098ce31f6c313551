// Ogg Vorbis through stb_vorbis: opened on the bytes in memory, checked, then decoded a block at a time so the
// limit on frames holds before memory is taken for them.
#include "audio/OggVorbis.h"

#include <memory>
#include <new>
#include <vector>

#define STB_VORBIS_NO_STDIO  // it reads the bytes we hand it, never a file
#define STB_VORBIS_NO_PUSHDATA_API
#include <stb_vorbis.h>

namespace {
bool refuse(std::string* refusal, const std::string& why) {
    if (refusal) *refusal = why;
    return false;
}

struct Closer {
    void operator()(stb_vorbis* v) const { stb_vorbis_close(v); }
};
}  // namespace

bool readOggFromMemory(const unsigned char* data, size_t size, Sound& sound, std::string* refusal) {
    sound = Sound();
    if (size > oggLimits::fileBytes || size > size_t(0x7FFFFFFF))
        return refuse(refusal, "larger than the " + std::to_string(oggLimits::fileBytes >> 20) + " MiB a sound may be");
    int error = 0;
    std::unique_ptr<stb_vorbis, Closer> vorbis(stb_vorbis_open_memory(data, int(size), &error, nullptr));
    if (!vorbis) return refuse(refusal, "not an Ogg Vorbis stream it can decode (error " + std::to_string(error) + ")");
    const stb_vorbis_info info = stb_vorbis_get_info(vorbis.get());
    if (info.channels != 1 && info.channels != 2)
        return refuse(refusal, std::to_string(info.channels) + " channels (1 or 2 are read): not read");
    if (info.sample_rate < wavLimits::lowestRate || info.sample_rate > wavLimits::highestRate)
        return refuse(refusal, "a rate of " + std::to_string(info.sample_rate) + " Hz (" +
                                   std::to_string(wavLimits::lowestRate) + " to " +
                                   std::to_string(wavLimits::highestRate) + " are played): not read");
    try {
        std::vector<short> block(size_t(4096) * size_t(info.channels));
        for (;;) {
            const int frames =
                stb_vorbis_get_samples_short_interleaved(vorbis.get(), info.channels, block.data(), int(block.size()));
            if (frames <= 0) break;
            if (sound.samples.size() / size_t(info.channels) + size_t(frames) > oggLimits::decodedFrames)
                return refuse(refusal, "longer than the " + std::to_string(oggLimits::decodedFrames) +
                                           " frames a sound may have: not read");
            sound.samples.insert(sound.samples.end(), block.begin(), block.begin() + frames * info.channels);
        }
    } catch (const std::bad_alloc&) {
        sound = Sound();
        return refuse(refusal, "not enough memory for its samples");
    }
    if (sound.samples.empty()) return refuse(refusal, "no samples it can decode: nothing to play");
    sound.rate = info.sample_rate;
    sound.channels = info.channels;
    return true;
}
