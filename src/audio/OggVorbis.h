// Ogg Vorbis sounds, decoded whole into 16-bit samples by the single-file Vorbis decoder Debian packages
// (stb_vorbis, from libstb-dev), after checks of our own on its pages and headers.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "audio/Wav.h"

namespace oggLimits {
constexpr size_t fileBytes = 16u << 20;     // a few minutes of Vorbis at any usual quality
constexpr size_t decodedFrames = 8u << 20;  // about three minutes at 44.1 kHz: 32 MiB as 16-bit stereo
constexpr size_t decoderBytes = 32u << 20;  // the decoder's tables and buffers (usual files take under 1 MiB)
}  // namespace oggLimits

// Decodes an Ogg Vorbis stream held in memory: mono or stereo, at a rate the mixer plays. False, with one line
// saying why in refusal, for anything else: not Vorbis, damaged in its headers, more channels, a rate outside
// the limits, tables over decoderBytes, more than decodedFrames frames, no samples at all. Damage after the
// headers ends the sound where the damage begins.
bool readOggFromMemory(const unsigned char* data, size_t size, Sound& sound, std::string* refusal);
