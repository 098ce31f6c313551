// Sounds heard from the ship: each event's voice is started with the gains of where it happened, relative to
// where the ship is and which way it heads, the loudest first within each sound's limit; what is far away, or
// finds no voice, feeds one low bed whose level follows how much is going on; loops follow the ship from pass
// to pass. Every step is float arithmetic the same on every platform (square roots, no libm curves).
#include "app/GameSound.h"

#include <algorithm>
#include <cmath>

#include "app/Settings.h"
#include "audio/SoundFile.h"
#include "common/GameMath.h"
#include "common/Units.h"
#include "objects/Ship.h"

namespace {

constexpr float enginePitchPerSteer = 0.5f;  // a full turn (steer 0.5) raises the engine by a quarter
// Past this a volley or a burst is only part of the distant battle: a voice of its own would add to a wash
// in which the near ones could not be told apart.
constexpr float bedDistance = 2400;
// The bed's level: the far loudness summed over the last second or so (it dies away by half in about
// bedHalfLifeMs of game time), brought under bedMostGain with a soft curve, so a great battle far off is a
// steady rumble, never a roar.
constexpr float bedHalfLifeMs = 700;
constexpr float bedMostGain = 0.6f;
constexpr float bedHalfAt = 0.15f;  // the summed loudness at which the bed reaches half its most
constexpr float ln2 = 0.6931472f;   // a half-life of h decays by h / (h + t ln 2) over a step t

// A sound at the ship: the same gain in both channels, at the power of a centred pan.
float centred(float gain) { return gain * std::sqrt(0.5f); }

float distanceFromShip(const Vector3& where) {
    const Ship& ship = Ship::player;
    const float dx = where.x - ship.x, dy = where.y - ship.y, dz = where.z - ship.z;
    return std::sqrt(dx * dx + dy * dy + dz * dz);
}

}  // namespace

float loudnessAt(float distance) {
    if (!(distance <= cutoffDistance)) return 0;
    if (distance <= nearDistance) return 1;
    return nearDistance / distance;
}

Heard hearFromShip(const Vector3& where) {
    const Ship& ship = Ship::player;
    const float loudness = loudnessAt(distanceFromShip(where));
    if (loudness == 0) return {};
    // The ship heads along (sin h, cos h); the screen's right is (-cos h, sin h) in the ground plane.
    const float dx = where.x - ship.x, dz = where.z - ship.z;
    const float ground = std::sqrt(dx * dx + dz * dz);
    const float h = ship.heading * degreesToRadians;
    const float pan = ground > 0 ? std::clamp((dx * -gameCos(h) + dz * gameSin(h)) / ground, -1.0f, 1.0f) : 0.0f;
    return {loudness * std::sqrt((1 - pan) / 2), loudness * std::sqrt((1 + pan) / 2)};
}

GameSound& GameSound::instance() {
    static GameSound sound;
    return sound;
}

void GameSound::load() {
    mixer_.stopAll();
    for (auto& kind : voices_) kind.fill(Mixer::noVoice);
    engine_ = sizzle_ = bed_ = Mixer::noVoice;
    farActivity_ = 0;
    touched_ = false;
    wasInWorld_ = true;
    for (const SoundRow& row : soundTable) loadSound(row.file, sound(row.id));
    setWorldEventListener(this);
}

void GameSound::applySettings() {
    mixer_.setMuted(gameSettings().on(SettingId::mute));
    mixer_.setVolume(float(gameSettings().whole(SettingId::volume)) / 100.0f);
}

Mixer::VoiceId GameSound::start(SoundId id, float left, float right) {
    const SoundRow& row = soundRow(id);
    if (row.limit == 0) return mixer_.play(&sound(id), left, right, 1, row.loop);
    auto& kind = voices_[size_t(id)];
    int slot = -1;
    float least = std::max(left, right);  // a voice must count less than the new one to give way
    for (int i = 0; i < row.limit; ++i) {
        const float level = mixer_.level(kind[size_t(i)]);
        if (level == 0) {  // ended, or never started
            slot = i;
            break;
        }
        if (level < least) {
            least = level;
            slot = i;
        }
    }
    if (slot < 0) return Mixer::noVoice;
    mixer_.stop(kind[size_t(slot)]);
    kind[size_t(slot)] = mixer_.play(&sound(id), left, right, 1, row.loop);
    return kind[size_t(slot)];
}

Mixer::VoiceId GameSound::playHeard(SoundId id, const Vector3& where) {
    const SoundRow& row = soundRow(id);
    const float distance = distanceFromShip(where);
    const float loudness = loudnessAt(distance);
    if (loudness == 0) return Mixer::noVoice;
    Mixer::VoiceId voice = Mixer::noVoice;
    if (!row.farAsBed || distance <= bedDistance) {
        const Heard heard = hearFromShip(where);
        voice = start(id, heard.left * row.gain, heard.right * row.gain);
    }
    if (voice == Mixer::noVoice && row.farAsBed) farActivity_ += loudness * row.gain;
    return voice;
}

Mixer::VoiceId GameSound::playHere(SoundId id) {
    const float gain = centred(soundRow(id).gain);
    return start(id, gain, gain);
}

void GameSound::onWorldEvent(WorldEvent event, const Vector3& where) {
    switch (event) {
        case WorldEvent::volley: playHeard(SoundId::volley, where); break;
        case WorldEvent::burst: playHeard(SoundId::burst, where); break;
        case WorldEvent::shipHit: playHeard(SoundId::hit, where); break;
        case WorldEvent::fireballTouch: touched_ = true; break;
    }
}

void GameSound::afterPass(bool worldRunning, bool still, float frameMs) {
    mixer_.setPaused(still);
    const bool inWorld = Ship::player.filed;
    if (wasInWorld_ && !inWorld) playHere(SoundId::leftWorld);
    wasInWorld_ = inWorld;
    if (worldRunning && inWorld) {
        const float pitch = 1 + enginePitchPerSteer * std::fabs(Ship::player.steer);
        if (!mixer_.playing(engine_)) engine_ = playHere(SoundId::engine);
        const float gain = centred(soundRow(SoundId::engine).gain);
        mixer_.change(engine_, gain, gain, pitch);
    } else {
        mixer_.stop(engine_);
    }
    if (touched_ && !mixer_.playing(sizzle_)) sizzle_ = playHere(SoundId::sizzle);
    if (!touched_ && !still) mixer_.stop(sizzle_);
    touched_ = false;

    // The distant battle: the bed follows what was heard far off, dying away in game time (a half-life as a
    // rational step, the same on every platform), silent once there is nothing left of it.
    if (still) return;
    farActivity_ *= bedHalfLifeMs / (bedHalfLifeMs + std::max(0.0f, frameMs) * ln2);
    const float bed =
        centred(soundRow(SoundId::distantBattle).gain * bedMostGain * farActivity_ / (farActivity_ + bedHalfAt));
    if (bed < 0.002f) {
        mixer_.stop(bed_);
        if (farActivity_ < 1e-4f) farActivity_ = 0;
        return;
    }
    if (!mixer_.playing(bed_)) bed_ = playHere(SoundId::distantBattle);
    mixer_.change(bed_, bed, bed, 1);
}

void GameSound::returnedToStart() { playHere(SoundId::returned); }

int GameSound::voicesOf(SoundId id) const {
    int playing = 0;
    for (Mixer::VoiceId voice : voices_[size_t(id)]) playing += mixer_.playing(voice) ? 1 : 0;
    return playing;
}
