// WAV sounds, as people make them (RIFF; PCM of 8, 16, 24 or 32 bits or 32-bit float, plain or
// WAVE_FORMAT_EXTENSIBLE; mono or stereo) read into memory as 16 bits, and the header of the 16-bit stereo
// files the simulation writes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// The largest sound the game reads, and the rates it plays back (the mixer steps through any of them).
namespace wavLimits {
constexpr size_t fileBytes = 16u << 20;  // about three minutes of 16-bit stereo at 44.1 kHz
constexpr uint32_t lowestRate = 4000;
constexpr uint32_t highestRate = 192000;
}  // namespace wavLimits

// A sound as the mixer plays it: 16-bit samples, interleaved when stereo.
struct Sound {
    uint32_t rate = 0;
    int channels = 0;
    std::vector<int16_t> samples;
    size_t frames() const { return channels > 0 ? samples.size() / size_t(channels) : 0; }
};

// Reads a WAV held in memory. Chunks the game has no use for (lists, cues) are skipped; a data chunk cut off
// by the file's end (or a stream's, whose length is the largest) gives the whole frames there are. False for
// anything else, with one line saying why in refusal: another format, more than two channels, a rate outside
// the limits, no fmt or data, a data chunk without a whole frame, a file cut short in a header.
bool readWavFromMemory(const unsigned char* data, size_t size, Sound& sound, std::string* refusal);
// Reads the file at path through the whole-file reader. A missing file is refused silently (the sound stays
// silent); any other refusal is said in one line naming the file.
bool loadWav(const char* path, Sound& sound);

// Why the mixer cannot play a sound of these channels and rate, in the words of a refusal, or empty when it
// can: the one rule for every kind of sound file.
std::string unplayable(int channels, uint32_t rate);

// A float sample as 16 bits: clipped to -1..1 and scaled by 32,767, NaN as silence. The same integers on every
// platform, for WAV's float samples and Vorbis's alike.
int16_t floatSample16(float v);

// The 44-byte header of a 16-bit PCM WAV with dataBytes of samples; dataBytes past what RIFF can count
// (a stream whose end was not known) is written as the largest count, as streaming writers do.
std::vector<unsigned char> wavHeader(uint32_t rate, int channels, uint64_t dataBytes);
