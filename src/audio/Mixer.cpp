// The mix: each voice steps through its sound in 32.32 fixed point, interpolating between neighbouring
// frames, and adds its gained samples into wide sums that a soft limiter brings into 16 bits.
#include "audio/Mixer.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {
constexpr int voiceBits = 8;  // a voice id is its index and its generation's low bits above them
constexpr int32_t unity = 65536;
constexpr uint32_t generationMask = 0x7FFFFF;  // ids stay positive

size_t indexOf(Mixer::VoiceId id) { return size_t(id & ((1 << voiceBits) - 1)); }

// Samples up to the knee pass as they are; beyond it they bend towards full scale, which they never reach:
// y = knee + over * room / (over + room), with over what passes the knee and room what is left above it.
// Its slope is 1 at the knee, so nothing audible happens there, and it has no memory, so it cannot pump.
constexpr int64_t fullScale = 32767;
int16_t softLimit(int64_t sample) {
    const int64_t magnitude = sample < 0 ? -sample : sample;
    if (magnitude <= limiterKnee) return int16_t(sample);
    const int64_t over = magnitude - limiterKnee, room = fullScale - limiterKnee;
    const int64_t bent = limiterKnee + over * room / (over + room);
    return int16_t(sample < 0 ? -bent : bent);
}

// Source frames per mixed frame, in 32.32 fixed point.
uint64_t stepFor(const Sound& sound, float pitch) {
    return uint64_t(std::llround(double(sound.rate) / mixRate * pitch * 4294967296.0));
}
}  // namespace

int32_t Mixer::gain(float g) {
    if (!(g > 0)) return 0;  // NaN and negatives are silent
    return int32_t(std::lround(double(std::min(g, 1.0f)) * unity));
}

bool Mixer::live(VoiceId id) const {
    if (id < 0 || indexOf(id) >= voices_.size()) return false;
    const Voice& v = voices_[indexOf(id)];
    return v.sound && (v.generation & generationMask) == uint32_t(id >> voiceBits);
}

Mixer::VoiceId Mixer::play(const Sound* sound, float left, float right, float pitch, bool loop) {
    const int32_t l = gain(left), r = gain(right);
    if (!sound || sound->frames() == 0 || (l == 0 && r == 0) || !(pitch > 0)) return noVoice;
    size_t chosen = maxVoices;
    int64_t quietest = int64_t(l) + r;
    for (size_t i = 0; i < voices_.size(); ++i) {
        const Voice& v = voices_[i];
        if (!v.sound) {
            chosen = i;
            break;
        }
        if (int64_t(v.left) + v.right < quietest) {
            quietest = int64_t(v.left) + v.right;
            chosen = i;
        }
    }
    if (chosen == maxVoices) return noVoice;  // every voice is louder than the new sound
    Voice& v = voices_[chosen];
    const uint32_t generation = v.generation + 1;
    v = Voice();
    v.sound = sound;
    v.step = stepFor(*sound, pitch);
    v.left = l;
    v.right = r;
    v.loop = loop;
    v.generation = generation;
    return VoiceId(((generation & generationMask) << voiceBits) | chosen);
}

void Mixer::change(VoiceId id, float left, float right, float pitch) {
    if (!live(id) || !(pitch > 0)) return;
    Voice& v = voices_[indexOf(id)];
    v.left = gain(left);
    v.right = gain(right);
    v.step = stepFor(*v.sound, pitch);
}

float Mixer::level(VoiceId id) const {
    if (!live(id)) return 0;
    const Voice& v = voices_[indexOf(id)];
    const uint64_t length = uint64_t(v.sound->frames()) << 32;
    const float left = v.loop || v.position >= length ? 1.0f : float(double(length - v.position) / double(length));
    return float(std::max(v.left, v.right)) / unity * (v.loop ? 1.0f : left);
}

void Mixer::stop(VoiceId id) {
    if (live(id)) voices_[indexOf(id)].sound = nullptr;
}

bool Mixer::playing(VoiceId id) const { return live(id); }

int Mixer::voicesPlaying() const {
    return int(std::count_if(voices_.begin(), voices_.end(), [](const Voice& v) { return v.sound != nullptr; }));
}

void Mixer::stopAll() {
    for (Voice& v : voices_) v.sound = nullptr;
}

void Mixer::setVolume(float volume) { volume_ = gain(volume); }

void Mixer::mix(int16_t* out, size_t frames) {
    if (paused_) {
        std::memset(out, 0, frames * 2 * sizeof(int16_t));
        return;
    }
    for (size_t f = 0; f < frames; ++f) {
        int64_t left = 0, right = 0;
        for (Voice& v : voices_) {
            if (!v.sound) continue;
            const Sound& s = *v.sound;
            const size_t length = s.frames();
            size_t at = size_t(v.position >> 32);
            if (at >= length) {
                if (!v.loop) {
                    v.sound = nullptr;
                    continue;
                }
                v.position %= uint64_t(length) << 32;
                at = size_t(v.position >> 32);
            }
            const size_t next = at + 1 < length ? at + 1 : (v.loop ? 0 : at);
            const int32_t fraction = int32_t((v.position >> 16) & 0xFFFF);
            const auto sample = [&](size_t frame, int channel) {
                return int32_t(s.samples[frame * size_t(s.channels) + size_t(channel % s.channels)]);
            };
            for (int channel = 0; channel < 2; ++channel) {
                const int32_t a = sample(at, channel), b = sample(next, channel);
                const int64_t value = a + ((int64_t(b - a) * fraction) >> 16);
                (channel == 0 ? left : right) += value * (channel == 0 ? v.left : v.right);
            }
            v.position += v.step;
        }
        const auto clip = [this](int64_t sum) {
            // The master level, then the player's volume, then the limiter; sums far past any real mix are
            // held where the arithmetic stays exact.
            const int64_t levelled =
                std::clamp<int64_t>(((sum >> 16) * masterLevel) >> 16, -(int64_t(1) << 40), int64_t(1) << 40);
            return muted_ ? int16_t(0) : softLimit((levelled * volume_) >> 16);
        };
        out[2 * f] = clip(left);
        out[2 * f + 1] = clip(right);
    }
}
