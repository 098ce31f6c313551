// How far ahead of the speaker a shell keeps its sound queue: little while the game's passes come quickly (an
// event is heard soon after it happens), more while they are slow (the queue must outlast the wait for the next
// pass, or the sound has gaps). Real time of the shell's own clock; the mix itself, and so the sound the
// simulation renders in game time, is the same whatever the lead.
#pragma once

#include <cstdint>

class AudioLead {
   public:
    static constexpr uint32_t fewestFrames = 2048;  // about 46 ms at 44.1 kHz
    static constexpr uint32_t mostFrames = 6615;    // 150 ms

    // After a pass, at the shell's tick (milliseconds): the frames of sound to keep queued. Rises at once to
    // one and a half times the time since the last pass (with the device's own buffer on top), and eases back
    // by a sixty-fourth a pass once the passes are quick again.
    uint32_t afterPass(unsigned tickMs);

   private:
    unsigned lastTick_ = 0;
    bool started_ = false;
    uint32_t frames_ = fewestFrames;
};
