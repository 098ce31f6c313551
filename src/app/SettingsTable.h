// The game's settings, one row each: its name (in the settings file, as --NAME on the command line and on the
// settings screen), its kind of value, its default, its range and its help line. The file, the command line,
// --help, the settings screen and the docs are all made from this table, so a new setting is one row here
// (and the code that reads it). The keys' rows (key-fill, key-pause, ...) come from the key table.
#pragma once

#include <cstddef>
#include <iterator>
#include <string>
#include <vector>

#include "app/KeyTable.h"

enum class SettingId {
    volume,
    mute,
    windowSize,
    fullscreen,
    mouseSensitivity,
    invertCamera,
    vsync,
    frameCap,
    gamepadDeadzone,
};

enum class SettingKind {
    whole,    // a whole number from lo to hi
    decimal,  // a number from lo to hi
    onOff,    // true or false (on, off, yes, no, 1, 0 are read too)
    size,     // WxH, each side from lo to hi
    key,      // a key's name, as the F1 help names it; not one another action has, nor Escape
};

struct SettingRow {
    SettingId id;
    const char* name;
    SettingKind kind;
    const char* defaultText;
    double lo, hi;
    double step;  // what Left and Right on the settings screen add to a number
    bool flight;  // changes the flight: read by the simulation too, and recorded in demos
    const char* help;
};

// The sizes the window may have on either side.
constexpr int minWindowSide = 160;
constexpr int maxWindowSide = 8192;  // beyond an 8K screen; GL and the frame time set the bound

// In the order of SettingId.
inline constexpr SettingRow fixedSettingRows[] = {
    {SettingId::volume, "volume", SettingKind::whole, "100", 0, 100, 5, false, "the sound's volume, 0 to 100"},
    {SettingId::mute, "mute", SettingKind::onOff, "false", 0, 1, 0, false, "the sound off (M turns it on and off)"},
    {SettingId::windowSize, "window-size", SettingKind::size, "800x600", minWindowSide, maxWindowSide, 0, false,
     "the window's client area in pixels"},
    {SettingId::fullscreen, "fullscreen", SettingKind::onOff, "false", 0, 1, 0, false,
     "the whole screen instead of a window"},
    {SettingId::mouseSensitivity, "mouse-sensitivity", SettingKind::decimal, "1", 0.25, 4, 0.25, true,
     "a factor on the mouse's reach in steering and camera height"},
    {SettingId::invertCamera, "invert-camera", SettingKind::onOff, "false", 0, 1, 0, true,
     "mouse up (or the right stick up) lowers the camera instead"},
    {SettingId::vsync, "vsync", SettingKind::onOff, "false", 0, 1, 0, false,
     "each frame waits for the screen's refresh"},
    {SettingId::frameCap, "frame-cap", SettingKind::whole, "0", 0, 1000, 10, false,
     "at most this many frames a second (0: as many as come)"},
    {SettingId::gamepadDeadzone, "gamepad-deadzone", SettingKind::whole, "8000", 0, 30000, 1000, false,
     "how far a stick moves, of its 32767, before it steers"},
};
constexpr size_t fixedSettingCount = std::size(fixedSettingRows);

namespace settingTableCheck {
constexpr bool inIdOrder() {
    for (size_t i = 0; i < fixedSettingCount; ++i)
        if (size_t(fixedSettingRows[i].id) != i) return false;
    return true;
}
static_assert(inIdOrder(), "fixedSettingRows must be in the order of SettingId");
}  // namespace settingTableCheck

// A row of the whole table: the fixed rows, then one key-ACTION row for each action but quit (Escape).
struct Setting {
    std::string name;
    SettingKind kind;
    std::string defaultText;
    double lo, hi, step;
    bool flight;
    std::string help;
};
const std::vector<Setting>& settingsTable();
size_t settingIndex(SettingId id);
size_t settingIndex(KeyAction action);
// The row named name, or -1.
int findSetting(const std::string& name);
