// The mixer: each voice at its gains until it ends, and the quietest giving way when every voice is busy.
#include <gtest/gtest.h>

#include "audio/Mixer.h"

TEST(Mixer, MixesEachVoiceAtItsGainsUntilItEndsAndTheQuietestGivesWayWhenAllAreBusy) {
    Sound loud{44100, 1, std::vector<int16_t>(100, 20000)}, quiet{44100, 2, std::vector<int16_t>(400, 10000)};
    Mixer mixer;
    const Mixer::VoiceId a = mixer.play(&loud, 1.0f, 0.25f);
    const Mixer::VoiceId b = mixer.play(&quiet, 0.0f, 0.5f);
    mixer.change(b, 0.5f, 0.0f, 1);  // a loop following the ship: its gains change as it plays
    int16_t out[2 * 120];
    mixer.mix(out, 120);
    // Right: a quarter of the loud voice, 5,000, at the master level of 1.5, under the limiter's knee.
    EXPECT_EQ(out[1], 7500);
    // Left: the loud voice whole and half the quiet one, 25,000 at 1.5 is 37,500: past the knee (16,384) it
    // bends to 16384 + 21116 * 16383 / (21116 + 16383).
    EXPECT_EQ(out[0], 25609);
    EXPECT_EQ(out[2 * 110], 7500);  // the loud voice's 100 frames have ended
    EXPECT_FALSE(mixer.playing(a));
    EXPECT_FALSE(mixer.playing(b + maxVoices));  // an id no voice gave out names no voice
    mixer.setMuted(true);
    mixer.mix(out, 1);
    EXPECT_EQ(out[0] | out[1], 0);

    // Every voice busy: a louder sound takes the quietest voice, a quieter one starts nowhere.
    mixer.stopAll();
    for (int i = 0; i < maxVoices; ++i) mixer.play(&loud, 0.5f + 0.01f * float(i), 0.5f, 1, true);
    EXPECT_EQ(mixer.play(&loud, 0.1f, 0.1f), Mixer::noVoice);
    const Mixer::VoiceId louder = mixer.play(&loud, 1.0f, 1.0f);
    EXPECT_TRUE(mixer.playing(louder));
    EXPECT_EQ(mixer.voicesPlaying(), maxVoices);

    // Thirty-two voices of full scale: far past what 16 bits hold, bent under full scale, never wrapped or
    // clipped flat; the louder side stays the louder.
    Sound full{44100, 1, std::vector<int16_t>(64, -32768)};
    mixer.stopAll();
    mixer.setMuted(false);
    for (int i = 0; i < maxVoices; ++i) mixer.play(&full, 1.0f, 0.9f);
    mixer.mix(out, 1);
    EXPECT_LT(out[0], out[1]);
    EXPECT_GT(out[0], -32767);
    EXPECT_LT(out[1], -30000);
}
