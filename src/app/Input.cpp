// Input from the window's messages: mouse position to steering and camera pitch, keys to the key flags.
#include "app/Input.h"

#include <algorithm>
#include <limits>

#include "app/DemoSession.h"
#include "app/Settings.h"
#include "common/InputState.h"
#include "objects/Ship.h"
#include "view/Camera.h"

namespace {
// Steering and pitch are read in pixels of the reference window: 1/800 and 1/600 per pixel.
constexpr float steerPerPixel = 0.00125f;
constexpr float pitchPerPixel = 0.0016666667f;
float clientWidth = float(referenceWidth), clientHeight = float(referenceHeight);
int mouseX = 0, mouseY = 0;  // the last mouse message's, in pixels of the client area
bool steered = false;
}  // namespace

bool steeredYet() { return steered; }
void forgetSteering() { steered = false; }

void forgetInput() {
    clientWidth = float(referenceWidth), clientHeight = float(referenceHeight);
    mouseX = mouseY = 0;
    steered = false;
}

void applyInputEvent(const DemoEvent& event) {
    switch (event.kind) {
        case DemoEvent::mouse: {
            // Scaled to the reference window, so the middle of a window of any size flies straight (at 800
            // by 600 the scale is exactly 1).
            const Settings& settings = gameSettings();
            steered = true;
            mouseX = event.a;
            mouseY = event.b;
            const float x = float(event.a);
            const float y = settings.on(SettingId::invertCamera) ? clientHeight - 1 - float(event.b) : float(event.b);
            Ship::player.steer = 0.5f - x * (float(referenceWidth) / clientWidth) * steerPerPixel;
            Camera::instance().pitch = y * (float(referenceHeight) / clientHeight) * pitchPerPixel;
            const float reach = settings.decimal(SettingId::mouseSensitivity);
            if (reach != 1) {  // about the middle, within the range the whole window gives at 1
                Ship::player.steer = std::clamp(Ship::player.steer * reach, -0.5f, 0.5f);
                Camera::instance().pitch = std::clamp(0.5f + (Camera::instance().pitch - 0.5f) * reach, 0.0f, 1.0f);
            }
            break;
        }
        case DemoEvent::key:
            // A repeat of a held key is no press; the count stops at its top rather than wrap to none.
            if (event.b != 0 && !keys[event.a] && keysPressed[event.a] != std::numeric_limits<KeyPresses>::max())
                keysPressed[event.a] += 1;
            keys[event.a] = event.b != 0;
            break;
        case DemoEvent::clientSize:
            // A minimised window reports 0 by 0; the mouse is read against the last real size.
            if (event.a > 0) clientWidth = float(event.a);
            if (event.b > 0) clientHeight = float(event.b);
            break;
        // A stick's full travel covers the window: centred, it is the mouse in the middle.
        case DemoEvent::steeringStick:
            steered = true;
            Ship::player.steer = 0.5f - (0.5f + 0.5f * event.value) * referenceWidth * steerPerPixel;
            break;
        case DemoEvent::cameraStick: {
            steered = true;
            const float value = gameSettings().on(SettingId::invertCamera) ? -event.value : event.value;
            Camera::instance().pitch = (0.5f + 0.5f * value) * referenceHeight * pitchPerPixel;
            break;
        }
        case DemoEvent::setting: applyDemoSetting(gameSettings(), event); break;
    }
}

namespace {
// Live input: written into a demo being recorded, ignored while one plays.
void take(const DemoEvent& event) {
    if (DemoSession::instance().takeLiveInput(event)) applyInputEvent(event);
}
}  // namespace

void onClientResize(int width, int height) { take({DemoEvent::clientSize, width, height, 0}); }

void onMouseMove(unsigned x, unsigned y) {
    // The message carries each coordinate in 16 bits.
    take({DemoEvent::mouse, int32_t(x & 0xffffu), int32_t(y & 0xffffu), 0});
}

void onSteeringStick(float x) { take({DemoEvent::steeringStick, 0, 0, x}); }

void onCameraStick(float y) { take({DemoEvent::cameraStick, 0, 0, y}); }

void onActive(bool drawn) { active = drawn; }

void mouseInWindow(int& x, int& y, int& width, int& height) {
    x = mouseX;
    y = mouseY;
    width = int(clientWidth);
    height = int(clientHeight);
}

void onKey(int virtualKey, bool down) {
    if (virtualKey >= 0 && virtualKey < keyCodeCount) take({DemoEvent::key, virtualKey, down ? 1 : 0, 0});
}
