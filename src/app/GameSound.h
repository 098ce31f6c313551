// The game's sound: the world's events turned into voices heard from the ship, the engine's loop, the
// fireball's sizzle, the notices and the distant battle's bed, all through one mixer that the shells (or the
// simulation) pull from.
#pragma once

#include <array>

#include "app/SoundTable.h"
#include "audio/Mixer.h"
#include "objects/WorldEvents.h"

// How loud and where a sound at a point is, heard from the ship.
struct Heard {
    float left = 0, right = 0;
};
// The fall-off with distance d: 1 within nearDistance, then near / d, 6 dB quieter for every doubling (a burst
// at 3,000 units is 17.5 dB under one at 400); past cutoffDistance nothing is heard. Pan follows the
// direction relative to the ship's heading, at constant power (straight ahead or behind, each side 0.707).
constexpr float nearDistance = 400;
constexpr float cutoffDistance = 8000;
float loudnessAt(float distance);
Heard hearFromShip(const Vector3& where);

class GameSound : public WorldEventListener {
   public:
    static GameSound& instance();

    // Reads the sounds from data/sounds (NAME.ogg where there is one, else NAME.wav; a missing or refused
    // file stays silent) and listens to the world. Needs the data folder entered; forgets every voice of an
    // earlier game.
    void load();
    Mixer& mixer() { return mixer_; }
    // The player's volume and mute, from the settings to the mixer: at the start and whenever either changes.
    void applySettings();
    // Whether a device plays the mix (the shell said so when it opened it); the simulation's file counts as one.
    void setDevicePlays(bool plays) { devicePlays_ = plays; }
    bool devicePlays() const { return devicePlays_; }

    void onWorldEvent(WorldEvent event, const Vector3& where) override;
    // After each pass of frameMs of game time: the engine while the world runs, the sizzle while a fireball
    // holds the ship, the notice as the ship leaves the world, the distant battle's bed. still: the world
    // stands (paused, keys shown), and so does its sound.
    void afterPass(bool worldRunning, bool still, float frameMs);
    void returnedToStart();

    // The voices of a limited sound playing now (the simulation reports the most of each); 0 for a sound
    // without a limit, whose voices are not counted.
    int voicesOf(SoundId id) const;

   private:
    Mixer::VoiceId playHeard(SoundId id, const Vector3& where);
    Mixer::VoiceId playHere(SoundId id);
    // Starts a voice within its sound's limit: with every voice of it busy, the new one takes the place of
    // the one that counts least, or is not started when it would count less still.
    Mixer::VoiceId start(SoundId id, float left, float right);
    Sound& sound(SoundId id) { return sounds_[size_t(id)]; }

    Sound sounds_[soundCount];
    std::array<std::array<Mixer::VoiceId, mostVoicesOfAKind>, soundCount> voices_{};
    Mixer mixer_;
    Mixer::VoiceId engine_ = Mixer::noVoice, sizzle_ = Mixer::noVoice, bed_ = Mixer::noVoice;
    float farActivity_ = 0;  // the distant battle's loudness, summed as it happens and dying away
    bool devicePlays_ = true;
    bool touched_ = false;    // a fireball held the ship in this pass
    bool wasInWorld_ = true;  // the ship was in the world after the last pass
};
