// The viewer's state and keys; the shells pace the frames by speed() and stop them while held().
#include "app/ReplayControls.h"

#include <algorithm>
#include <cmath>

#include "app/DemoSession.h"
#include "app/KeyTable.h"

namespace {
constexpr int vkSpace = 0x20;
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

bool ReplayControls::takeKey(int code) {
    switch (code) {
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
    return "Replay x" + speedText + (held_ ? ", held: Space goes on" : ": Space holds") +
           ", Up/Down speed, Enter flies from here";
}
