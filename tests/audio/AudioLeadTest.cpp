// How far ahead the sound is queued: short while passes are quick, longer after a slow one, easing back.
#include <gtest/gtest.h>

#include "audio/AudioLead.h"

TEST(AudioLead, StaysShortWhilePassesAreQuickReachesPastASlowOneAndEasesBack) {
    AudioLead lead;
    const struct {
        unsigned passMs;        // since the pass before
        uint32_t fewest, most;  // the frames to keep queued
    } passes[] = {
        {0, AudioLead::fewestFrames, AudioLead::fewestFrames},   // the first pass: no pace yet
        {16, AudioLead::fewestFrames, AudioLead::fewestFrames},  // 60 frames a second: the short lead
        {67, 4400, 4950},                                        // 15 a second: past one and a half passes
        {16, 4300, 4900},                                        // quick again: easing back, not dropping
        {1000, AudioLead::mostFrames, AudioLead::mostFrames},    // a stall: never past 150 ms
    };
    unsigned tick = 4294967000u;  // the tick wraps on the way, as GetTickCount's does
    for (const auto& pass : passes) {
        tick += pass.passMs;
        const uint32_t frames = lead.afterPass(tick);
        EXPECT_GE(frames, pass.fewest) << pass.passMs;
        EXPECT_LE(frames, pass.most) << pass.passMs;
    }
    for (int i = 0; i < 200; ++i) lead.afterPass(tick += 16);
    EXPECT_EQ(lead.afterPass(tick += 16), AudioLead::fewestFrames);
}
