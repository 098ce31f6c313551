// Input from the window's messages: mouse position to steering and camera pitch, keys to the key flags.
#include "app/Game.h"
#include "common/ShellState.h"
#include "objects/Ship.h"
#include "view/Camera.h"

namespace {
// 1/800 and 1/600 as fixed numbers: they do not follow the real client size.
constexpr float steerPerPixel = 0.00125f;
constexpr float pitchPerPixel = 0.0016666667f;
}  // namespace

void onMouseMove(unsigned x, unsigned y) {
    x &= 0xffffu;  // the message carries each coordinate in 16 bits
    y &= 0xffffu;
    Ship::player.steer = 0.5f - float(x) * steerPerPixel;
    Camera::instance().pitch = float(y) * pitchPerPixel;
}

void onKey(int virtualKey, bool down) {
    if (virtualKey >= 0 && virtualKey < 256) keys[virtualKey] = down;
}
