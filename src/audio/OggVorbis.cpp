// Ogg Vorbis through stb_vorbis, which is handed only what our own checks passed: the pages that count
// (OggPages) and headers read through first (VorbisHeaders). It works inside one block of memory sized from
// those headers, so whatever a stream asks for, it takes no more, and nothing it keeps outlives the call.
#include "audio/OggVorbis.h"

#include <memory>
#include <new>
#include <vector>

#include "audio/OggPages.h"
#include "audio/Refusal.h"
#include "audio/VorbisHeaders.h"

// Its asserts are off in every build, as in a release: in a debug build one would end the game over a sound
// file that our checks let through and the decoder then gives up on.
#ifndef NDEBUG
#define NDEBUG
#endif
#define STB_VORBIS_NO_STDIO  // it reads the bytes we hand it, never a file
#define STB_VORBIS_NO_PUSHDATA_API
#include <stb_vorbis.h>

namespace {
constexpr size_t vorbisHeaders = 3;
constexpr size_t decoderSlack = 64u << 10;  // its own bookkeeping between tables
constexpr size_t blockFrames = 4096;

struct Closer {
    void operator()(stb_vorbis* v) const { stb_vorbis_close(v); }
};
}  // namespace

bool readOggFromMemory(const unsigned char* data, size_t size, Sound& sound, std::string* refusal) {
    sound = Sound();
    if (size > oggLimits::fileBytes)
        return refuse(refusal, "larger than the " + std::to_string(oggLimits::fileBytes >> 20) + " MiB a sound may be");
    OggStream stream;
    if (!readOggPages(data, size, vorbisHeaders, stream, refusal)) return false;
    if (stream.packets.size() < vorbisHeaders)
        return refuse(refusal,
                      "cut short in its Vorbis headers" + (stream.stop.empty() ? "" : " (" + stream.stop + ")"));
    if (stream.firstPageSegments != 1)
        return refuse(refusal, "not Vorbis (its first page holds more than an identification header)");
    VorbisFacts facts;
    if (!checkVorbisHeaders(stream.packets, facts, refusal)) return false;
    const std::string why = unplayable(facts.channels, facts.rate);
    if (!why.empty()) return refuse(refusal, why);
    const uint64_t arenaBytes = facts.decoderBytes + sizeof(stb_vorbis) + decoderSlack;
    if (arenaBytes > oggLimits::decoderBytes)
        return refuse(refusal, "its codebooks need more than the " + std::to_string(oggLimits::decoderBytes >> 20) +
                                   " MiB a sound's decoder may have: not read");
    try {
        std::vector<uint64_t> arena(size_t(arenaBytes / 8 + 1));
        const stb_vorbis_alloc memory = {reinterpret_cast<char*>(arena.data()), int(arena.size() * 8)};
        int error = 0;
        std::unique_ptr<stb_vorbis, Closer> vorbis(
            stb_vorbis_open_memory(stream.decoderBytes.data(), int(stream.decoderBytes.size()), &error, &memory));
        if (!vorbis)
            return refuse(refusal, "not an Ogg Vorbis stream it can decode (error " + std::to_string(error) + ")");
        const int channels = facts.channels;
        // Floats, made 16 bits by our own rule: its own conversion overflows on the wild values a damaged
        // packet can decode to.
        std::vector<float> block(blockFrames * size_t(channels));
        for (;;) {
            const int frames =
                stb_vorbis_get_samples_float_interleaved(vorbis.get(), channels, block.data(), int(block.size()));
            if (frames <= 0) break;
            if (sound.samples.size() / size_t(channels) + size_t(frames) > oggLimits::decodedFrames) {
                sound = Sound();
                return refuse(refusal, "longer than the " + std::to_string(oggLimits::decodedFrames) +
                                           " frames a sound may have: not read");
            }
            for (size_t i = 0; i < size_t(frames) * size_t(channels); ++i)
                sound.samples.push_back(floatSample16(block[i]));
        }
    } catch (const std::bad_alloc&) {
        sound = Sound();
        return refuse(refusal, "not enough memory for its samples");
    }
    if (sound.samples.empty()) return refuse(refusal, "no samples it can decode: nothing to play");
    sound.rate = facts.rate;
    sound.channels = facts.channels;
    return true;
}
