// A game pad's buttons and sticks.
#include "app/Gamepad.h"

#include <algorithm>

#include "app/KeyTable.h"
#include "app/Settings.h"

int virtualKeyForPadButton(PadButton button) {
    switch (button) {
        case PadButton::up: return vkUp;
        case PadButton::down: return vkDown;
        case PadButton::left: return vkLeft;
        case PadButton::right: return vkRight;
        case PadButton::a: return vkReturn;
        case PadButton::b: return vkBack;
        case PadButton::start: return keyCode(KeyAction::settings);
    }
    return -1;
}

float stickPosition(int value) {
    const int deadZone = gameSettings().whole(SettingId::gamepadDeadzone);
    const float travel = float(32767 - deadZone);
    if (value > deadZone) return std::min(1.0f, float(value - deadZone) / travel);
    if (value < -deadZone) return std::max(-1.0f, float(value + deadZone) / travel);
    return 0;
}
