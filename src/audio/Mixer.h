// The mixer: a fixed set of voices, each a sound played at its own gains and pitch, mixed into 16-bit stereo
// through a master level and a soft limiter, so that no mix clips and a quiet one is left as it is.
// Portable and deterministic: whole-number arithmetic from the gains on, so the same calls give the same
// bytes on every platform. Mixing allocates nothing, locks nothing and reads no file; it runs on the thread
// that drives the game.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "audio/Wav.h"

constexpr int mixRate = 44100;  // frames a second of the mix
constexpr int maxVoices = 32;
// The mix's level before the limiter (65536 = 1) and the limiter's knee: samples below it are untouched.
constexpr int32_t masterLevel = 98304;
constexpr int64_t limiterKnee = 16384;

class Mixer {
   public:
    using VoiceId = int;  // -1: no voice
    static constexpr VoiceId noVoice = -1;

    // Starts sound (not owned: it outlives its voices) at these gains (0 to 1 each) and pitch (1: as recorded).
    // With every voice busy it takes the quietest, unless the new sound would be quieter still: then nothing
    // starts and noVoice is returned, as it is for an empty sound or zero gains.
    VoiceId play(const Sound* sound, float left, float right, float pitch = 1, bool loop = false);
    // Changes a voice still playing (a loop following the ship); a voice that has ended is left alone.
    void change(VoiceId voice, float left, float right, float pitch);
    void stop(VoiceId voice);
    bool playing(VoiceId voice) const;
    // How much a voice still counts: its louder gain, times the share of its sound left to play (a loop
    // counts whole); 0 for a voice that has ended.
    float level(VoiceId voice) const;
    int voicesPlaying() const;
    void stopAll();

    // The master volume, 0 to 1; muted gives digital silence while the voices play on unheard.
    void setVolume(float volume);
    void setMuted(bool muted) { muted_ = muted; }
    bool muted() const { return muted_; }
    // Paused, the voices hold where they are and the mix is silent.
    void setPaused(bool paused) { paused_ = paused; }

    // Writes frames frames of interleaved stereo (left first).
    void mix(int16_t* out, size_t frames);

   private:
    struct Voice {
        const Sound* sound = nullptr;
        uint64_t position = 0;  // in source frames, 32.32 fixed point
        uint64_t step = 0;
        int32_t left = 0, right = 0;  // gains, 1.0 = 65536
        bool loop = false;
        uint32_t generation = 0;  // told apart from an earlier sound in the same voice
    };
    bool live(VoiceId id) const;
    static int32_t gain(float g);

    std::array<Voice, maxVoices> voices_{};
    int32_t volume_ = 65536;
    bool muted_ = false, paused_ = false;
};
