// Input from the window's messages: mouse position to steering and camera pitch, keys to the key flags.
#include "app/Game.h"
#include "common/ShellState.h"
#include "objects/Ship.h"
#include "view/Camera.h"

namespace {
// Steering and pitch are read in pixels of the 800 by 600 reference window: 1/800 and 1/600 per pixel.
constexpr float referenceWidth = 800, referenceHeight = 600;
constexpr float steerPerPixel = 0.00125f;
constexpr float pitchPerPixel = 0.0016666667f;
float clientWidth = referenceWidth, clientHeight = referenceHeight;
}  // namespace

void onClientResize(int width, int height) {
    // A minimised window reports 0 by 0; the mouse is read against the last real size.
    if (width > 0) clientWidth = float(width);
    if (height > 0) clientHeight = float(height);
}

void onMouseMove(unsigned x, unsigned y) {
    x &= 0xffffu;  // the message carries each coordinate in 16 bits
    y &= 0xffffu;
    // Scaled to the reference window, so the middle of a window of any size flies straight (at 800 by 600
    // the scale is exactly 1).
    Ship::player.steer = 0.5f - float(x) * (referenceWidth / clientWidth) * steerPerPixel;
    Camera::instance().pitch = float(y) * (referenceHeight / clientHeight) * pitchPerPixel;
}

// A stick's full travel covers the window: centred, it is the mouse in the middle.
void onSteeringStick(float x) { Ship::player.steer = 0.5f - (0.5f + 0.5f * x) * referenceWidth * steerPerPixel; }

void onCameraStick(float y) { Camera::instance().pitch = (0.5f + 0.5f * y) * referenceHeight * pitchPerPixel; }

void onKey(int virtualKey, bool down) {
    if (virtualKey >= 0 && virtualKey < 256) keys[virtualKey] = down;
}
