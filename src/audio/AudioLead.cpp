// The sound queue's lead, from the pace of the passes.
#include "audio/AudioLead.h"

#include <algorithm>

#include "audio/Mixer.h"

namespace {
constexpr uint32_t deviceFrames = 512;  // what a device holds of its own besides the queue
}  // namespace

uint32_t AudioLead::afterPass(unsigned tickMs) {
    if (started_) {
        const uint64_t passFrames = uint64_t(tickMs - lastTick_) * mixRate / 1000;  // a wrap gives the true gap
        const uint64_t wanted = passFrames * 3 / 2 + deviceFrames;
        frames_ = uint32_t(
            std::clamp<uint64_t>(std::max<uint64_t>(wanted, frames_ - frames_ / 64), fewestFrames, mostFrames));
    }
    started_ = true;
    lastTick_ = tickMs;
    return frames_;
}
