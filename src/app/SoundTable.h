// The game's sounds, one row each: the file the level holds it in, its own loudness and whether it loops.
// The game plays them, the level generator makes them and the tests listen for them from this one table.
#pragma once

#include <cstddef>
#include <iterator>

enum class SoundId { volley, burst, hit, sizzle, engine, leftWorld, returned, distantBattle };

struct SoundRow {
    SoundId id;
    const char* file;  // relative to the game's folder: 16-bit PCM WAV (any the WAV reader takes plays)
    float gain;        // its own loudness, so a hit stands out from the bursts around it and the engine stays beneath
    bool loop;         // played over and over while it lasts, so it holds whole periods
    int limit;         // the most voices of it at once, the loudest kept (0: as many as come; they always do)
    bool farAsBed;     // heard far away only as part of the distant battle's bed, not as a voice of its own
};

inline constexpr SoundRow soundTable[] = {
    {SoundId::volley, "data/sounds/volley.wav", 0.8f, false, 4, true},         // a tower's launch
    {SoundId::burst, "data/sounds/burst.wav", 0.9f, false, 6, true},           // a shot bursting on the ground
    {SoundId::hit, "data/sounds/hit.wav", 1.0f, false, 4, false},              // a shot bursting on the ship
    {SoundId::sizzle, "data/sounds/sizzle.wav", 0.7f, true, 1, false},         // while a fireball holds the ship
    {SoundId::engine, "data/sounds/engine.wav", 0.25f, true, 1, false},        // while the ship flies
    {SoundId::leftWorld, "data/sounds/notice.wav", 0.6f, false, 0, false},     // the ship leaves the world
    {SoundId::returned, "data/sounds/return.wav", 0.6f, false, 0, false},      // a new flight from the start
    {SoundId::distantBattle, "data/sounds/rumble.wav", 0.5f, true, 1, false},  // the far battle, as one bed
};
constexpr size_t soundCount = std::size(soundTable);

// The row of a sound: the table is in the order of the ids, which the compiler checks below.
constexpr const SoundRow& soundRow(SoundId id) { return soundTable[size_t(id)]; }

namespace soundTableCheck {
constexpr bool inIdOrder() {
    for (size_t i = 0; i < soundCount; ++i)
        if (size_t(soundTable[i].id) != i) return false;
    return true;
}
static_assert(inIdOrder(), "soundTable's rows must be in the order of SoundId");
constexpr int largestLimit() {
    int largest = 0;
    for (const SoundRow& row : soundTable) largest = row.limit > largest ? row.limit : largest;
    return largest;
}
static_assert(soundCount == size_t(SoundId::distantBattle) + 1, "every SoundId needs its row in soundTable");
}  // namespace soundTableCheck

constexpr int mostVoicesOfAKind = soundTableCheck::largestLimit();  // the largest limit in the table
