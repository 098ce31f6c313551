// The level's sounds, synthesized from the seed: noise and tones under envelopes and simple filters,
// written as 16-bit mono PCM WAV where the game reads them.
#pragma once

#include <cstdint>
#include <string>

// Writes every sound the game plays into dataDir/sounds. False if any file failed.
bool writeSounds(const std::string& dataDir, uint64_t seed);
