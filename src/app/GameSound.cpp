// Sounds heard from the ship: each event's voice is started with the gains of where it happened, relative to
// where the ship is and which way it heads; loops follow the ship from pass to pass.
#include "app/GameSound.h"

#include <algorithm>
#include <cmath>

#include "common/GameMath.h"
#include "common/Units.h"
#include "objects/Ship.h"

namespace {

constexpr float nearDistance = 400;    // within this, a sound is heard at its full loudness
constexpr float cutoffDistance = 8000;  // beyond this, it is not started
constexpr float enginePitchPerSteer = 0.5f;  // a full turn (steer 0.5) raises the engine by a quarter

// A sound at the ship: the same gain in both channels, at the power of a centred pan.
float centred(float gain) { return gain * std::sqrt(0.5f); }

}  // namespace

Heard hearFromShip(const Vector3& where) {
    const Ship& ship = Ship::player;
    const float dx = where.x - ship.x, dy = where.y - ship.y, dz = where.z - ship.z;
    const float distance = std::sqrt(dx * dx + dy * dy + dz * dz);
    if (!(distance <= cutoffDistance)) return {};
    const float loudness = distance <= nearDistance ? 1.0f : nearDistance / distance;
    // The ship heads along (sin h, cos h); the screen's right is (-cos h, sin h) in the ground plane.
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
    engine_ = sizzle_ = Mixer::noVoice;
    touched_ = false;
    wasInWorld_ = true;
    for (const SoundRow& row : soundTable) loadWav(row.file, sound(row.id));
    setWorldEventListener(this);
}

Mixer::VoiceId GameSound::playHeard(SoundId id, const Vector3& where) {
    const SoundRow& row = soundRow(id);
    const Heard heard = hearFromShip(where);
    return mixer_.play(&sound(id), heard.left * row.gain, heard.right * row.gain, 1, row.loop);
}

Mixer::VoiceId GameSound::playHere(SoundId id) {
    const SoundRow& row = soundRow(id);
    return mixer_.play(&sound(id), centred(row.gain), centred(row.gain), 1, row.loop);
}

void GameSound::onWorldEvent(WorldEvent event, const Vector3& where) {
    switch (event) {
        case WorldEvent::volley: playHeard(SoundId::volley, where); break;
        case WorldEvent::burst: playHeard(SoundId::burst, where); break;
        case WorldEvent::shipHit: playHeard(SoundId::hit, where); break;
        case WorldEvent::fireballTouch: touched_ = true; break;
    }
}

void GameSound::afterPass(bool worldRunning, bool still) {
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
}

void GameSound::returnedToStart() { playHere(SoundId::returned); }
