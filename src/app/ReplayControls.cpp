// The viewer's state and keys; the shells pace the frames by speed() and stop them while held().
#include "app/ReplayControls.h"

#include <algorithm>
#include <cmath>

#include "app/DemoSession.h"
#include "app/KeyTable.h"

namespace {
constexpr int vkSpace = 0x20, vkHome = 0x24;
constexpr int vkPlus = 0xBB, vkMinus = 0xBD, vkAdd = 0x6B, vkSubtract = 0x6D;  // the main keys' and the keypad's
}  // namespace

ReplayControls& ReplayControls::instance() {
    static ReplayControls controls;
    return controls;
}

void ReplayControls::changeSpeed(int steps) { speedStep_ = std::clamp(speedStep_ + steps, minSpeedStep, maxSpeedStep); }

float ReplayControls::speed() const { return std::ldexp(1.0f, speedStep_); }

bool ReplayControls::flyFromHere() {
    if (!DemoSession::instance().flyFromHere()) return false;
    reset();
    return true;
}

void ReplayControls::seek(size_t frame) {
    DemoSession& demo = DemoSession::instance();
    if (!demo.playing()) return;
    if (frame <= demo.framesSoFar() && !demo.playFromTheStart()) return;
    seekTo_ = std::min(frame, demo.framesInDemo());
}

bool ReplayControls::seeking() const { return seekTo_ > DemoSession::instance().framesSoFar(); }

bool ReplayControls::takeKey(int code) {
    const DemoSession& demo = DemoSession::instance();
    const size_t tenth = std::max<size_t>(1, demo.framesInDemo() / 10), now = demo.framesSoFar();
    switch (code) {
        case vkHome: seek(0); return true;
        case vkLeft: seek(now > tenth ? now - tenth : 0); return true;
        case vkRight: seek(now + tenth); return true;
        case vkSpace: held_ = !held_; return true;
        case vkUp:
        case vkPlus:
        case vkAdd: changeSpeed(+1); return true;
        case vkDown:
        case vkMinus:
        case vkSubtract: changeSpeed(-1); return true;
        case vkReturn: return flyFromHere();
        default: return false;
    }
}

std::string ReplayControls::status() const {
    const std::string speedText =
        speedStep_ >= 0 ? std::to_string(1 << speedStep_) : "1/" + std::to_string(1 << -speedStep_);
    if (seeking()) return "Finding frame " + std::to_string(seekTo_) + "...";
    return "Replay x" + speedText + (held_ ? ", held: Space goes on" : ": Space holds") +
           ", Up/Down speed, Left/Right/Home seek, Enter flies from here";
}
