// The browser's game pads, read once a frame.
#include "WebGamepad.h"

#include <emscripten/html5.h>

#include <cmath>
#include <cstring>
#include <iterator>

#include "app/Gamepad.h"
#include "app/Input.h"

namespace {

// The standard mapping's places for what the game reads.
constexpr int leftStickX = 0, rightStickY = 3;
constexpr struct {
    int index;
    PadButton button;
} standardButtons[] = {{0, PadButton::a},   {1, PadButton::b},     {9, PadButton::start}, {12, PadButton::up},
                       {13, PadButton::down}, {14, PadButton::left}, {15, PadButton::right}};

int steeringBefore = 0, cameraBefore = 0;  // raw stick values last passed on
bool heldBefore[std::size(standardButtons)] = {};

// The browser's -1 to 1 as a stick's raw value, as SDL reports it.
int rawStick(double value) {
    if (!std::isfinite(value)) return 0;
    return int(std::lround(std::fmax(-1.0, std::fmin(1.0, value)) * 32767));
}

}  // namespace

void web::readGamepads() {
    if (emscripten_sample_gamepad_data() != EMSCRIPTEN_RESULT_SUCCESS) return;
    EmscriptenGamepadEvent pad;
    bool found = false;
    for (int i = 0; i < emscripten_get_num_gamepads() && !found; ++i)
        found = emscripten_get_gamepad_status(i, &pad) == EMSCRIPTEN_RESULT_SUCCESS && pad.connected &&
                std::strcmp(pad.mapping, "standard") == 0;
    if (!found) return;
    if (pad.numAxes > rightStickY) {
        const int steering = rawStick(pad.axis[leftStickX]), camera = rawStick(pad.axis[rightStickY]);
        if (steering != steeringBefore) onSteeringStick(stickPosition(steering));
        if (camera != cameraBefore) onCameraStick(stickPosition(camera));
        steeringBefore = steering;
        cameraBefore = camera;
    }
    for (size_t i = 0; i < std::size(standardButtons); ++i) {
        const int index = standardButtons[i].index;
        const bool held = index < pad.numButtons && pad.digitalButton[index] != 0;
        if (held != heldBefore[i]) onKey(virtualKeyForPadButton(standardButtons[i].button), held);
        heldBefore[i] = held;
    }
}
