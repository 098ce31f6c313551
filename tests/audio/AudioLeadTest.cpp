// How far ahead the sound is queued: short while passes are quick, longer after a slow one, easing back, and
// never so short at a steady pace that the device runs dry.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "audio/AudioLead.h"
#include "audio/Mixer.h"

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

TEST(AudioLead, AQueueKeptAtItsLeadNeverRunsDryAtAnySteadyPaceTheGameKeeps) {
    // The device plays the queue in real time between two passes; after each pass the shell tops the queue up
    // to the lead, as the SDL and Win32 shells do. Sound queued against sound played, on a clock of our own:
    // once the pace is known the queue never runs dry (a sudden stall in a quick flight can outrun it once).
    const struct {
        const char* pace;
        std::vector<unsigned> passMs;  // repeated for a minute of game time
    } paces[] = {
        {"60 frames a second", {16, 17, 17}},
        {"15 frames a second (the frame cap)", {66, 67, 67}},
        {"8 frames a second", {125}},
        {"uneven: quick, quick, slow", {16, 16, 90}},
    };
    for (const auto& p : paces) {
        SCOPED_TRACE(p.pace);
        AudioLead lead;
        unsigned tick = 4294960000u;  // through the wrap, as GetTickCount goes
        int64_t queued = lead.afterPass(tick), shortest = INT64_MAX;
        for (unsigned elapsed = 0, i = 0; elapsed < 60000; ++i) {
            const unsigned ms = p.passMs[i % p.passMs.size()];
            tick += ms;
            elapsed += ms;
            queued -= int64_t(ms) * mixRate / 1000;  // played since the last pass
            if (elapsed > 1000) shortest = std::min(shortest, queued);
            queued = std::max<int64_t>(queued, 0);
            queued = std::max<int64_t>(queued, lead.afterPass(tick));
        }
        EXPECT_GT(shortest, 0);
    }
}
