// Ogg Vorbis sounds, decoded whole into 16-bit samples by the single-file Vorbis decoder Debian packages
// (stb_vorbis, from libstb-dev).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "audio/Wav.h"

namespace oggLimits {
constexpr size_t fileBytes = 16u << 20;     // a few minutes of Vorbis at any usual quality
constexpr size_t decodedFrames = 8u << 20;  // about three minutes at 44.1 kHz: 32 MiB as 16-bit stereo
}  // namespace oggLimits

// Decodes an Ogg Vorbis stream held in memory: mono or stereo, at a rate the mixer plays. False, with one line
// saying why in refusal, for anything else: not Vorbis, damaged, more channels, a rate outside the limits, more
// than decodedFrames frames, no samples at all.
bool readOggFromMemory(const unsigned char* data, size_t size, Sound& sound, std::string* refusal);
