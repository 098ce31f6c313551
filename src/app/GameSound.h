// The game's sound: the world's events turned into voices heard from the ship, the engine's loop, the
// fireball's sizzle and the notices, all through one mixer that the shells (or the simulation) pull from.
#pragma once

#include "app/SoundTable.h"
#include "audio/Mixer.h"
#include "objects/WorldEvents.h"

// How loud and where a sound at a point is, heard from the ship.
struct Heard {
    float left = 0, right = 0;
};
// Loudness falls as near / distance past near; past cutoff nothing is heard. Pan follows the direction
// relative to the ship's heading, at constant power (straight ahead or behind, each side 0.707).
Heard hearFromShip(const Vector3& where);

class GameSound : public WorldEventListener {
   public:
    static GameSound& instance();

    // Reads the sounds from data/sounds (a missing or refused file stays silent) and listens to the world.
    // Needs the data folder entered; forgets every voice of an earlier game.
    void load();
    Mixer& mixer() { return mixer_; }

    void onWorldEvent(WorldEvent event, const Vector3& where) override;
    // After each pass: the engine while the world runs, the sizzle while a fireball holds the ship, the
    // notice as the ship leaves the world. still: the world stands (paused, keys shown), and so does its sound.
    void afterPass(bool worldRunning, bool still);
    void returnedToStart();

   private:
    Mixer::VoiceId playHeard(SoundId id, const Vector3& where);
    Mixer::VoiceId playHere(SoundId id);
    Sound& sound(SoundId id) { return sounds_[size_t(id)]; }

    Sound sounds_[soundCount];
    Mixer mixer_;
    Mixer::VoiceId engine_ = Mixer::noVoice, sizzle_ = Mixer::noVoice;
    bool touched_ = false;    // a fireball held the ship in this pass
    bool wasInWorld_ = true;  // the ship was in the world after the last pass
};
