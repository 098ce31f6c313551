// The game's settings, one row each: its name (in the settings file, as --NAME on the command line and on the
// settings screen), its kind of value, its default, its range, where it acts, its demo code and its help line.
// The file, the command line, --help, the settings screen, demos, what a change sets off and the docs are all
// made from this table, so a new setting is one row here (and the code that reads it). The keys' rows
// (key-fill, key-pause, ...) come from the key table.
#pragma once

#include <cstddef>
#include <iterator>
#include <string>
#include <vector>

#include "app/KeyTable.h"

enum class SettingId {
    headsUp,  // first: what changes the picture's own words and view is found at once
    camera,
    volume,
    mute,
    windowSize,
    fullscreen,
    mouseSensitivity,
    invertCamera,
    vsync,
    frameCap,
    gamepadDeadzone,
    hitCue,
    edgeWarning,
    headsUpBand,
    panels,
    dangerMarks,
    pixelDensity,
    firstKey,  // the key rows follow, one for each action but quit, in the order of KeyAction
};

enum class SettingKind {
    whole,    // a whole number from lo to hi
    decimal,  // a number from lo to hi
    onOff,    // true or false (on, off, yes, no, 1, 0 are read too)
    size,     // WxH, each side from lo to hi
    key,      // a key's name, as the F1 help names it; not one another action has, nor Escape
    choice,   // one of the row's choices, by name; kept as its place in the list, lo (0) to hi
};

// Where a setting acts, and so what a change in the game sets off (app/SettingChange.cpp).
namespace settingActs {
constexpr unsigned flight = 1;   // the flight: read by the simulation too, and recorded in demos by its code
constexpr unsigned sound = 2;    // the game's sound: its volume and mute go to the mixer
constexpr unsigned window = 4;   // the window: its client area is resized
constexpr unsigned display = 8;  // how frames reach the screen: the whole screen, the wait for the refresh
constexpr unsigned picture = 16;  // what the frames show over the world, never the world: vanturo-sim takes it too
}  // namespace settingActs

// A demo code names a setting of the flight in a demo's setting events, for ever: codes are never reused or
// renumbered. 0 for a setting that does not travel. A key row's code is keyDemoCodes + its KeyAction.
constexpr int keyDemoCodes = 16;
constexpr int maxDemoCode = 255;  // a setting event keeps its code in a byte

struct SettingRow {
    SettingId id;
    const char* name;
    SettingKind kind;
    const char* defaultText;
    double lo, hi;
    double step;    // what Left and Right on the settings screen add to a number
    unsigned acts;  // settingActs
    int demoCode;   // its code in demos; every flight setting has one
    const char* help;
    const char* choices = nullptr;  // a choice's names, "classic|labelled"

    constexpr bool flight() const { return (acts & settingActs::flight) != 0; }
};

// The sizes the window may have on either side.
constexpr int minWindowSide = 160;
constexpr int maxWindowSide = 8192;  // beyond an 8K screen; GL and the frame time set the bound

// In the order of SettingId.
inline constexpr SettingRow fixedSettingRows[] = {
    {SettingId::headsUp, "heads-up", SettingKind::choice, "classic", 0, 1, 0, settingActs::picture, 0,
     "the heads-up line: classic, or labelled in words", "classic|labelled"},
    {SettingId::camera, "camera", SettingKind::choice, "classic", 0, 1, 0, settingActs::picture, 0,
     "the chase view: classic, or framed (the ship low in the view, above the heads-up line)", "classic|framed"},
    {SettingId::volume, "volume", SettingKind::whole, "100", 0, 100, 5, settingActs::sound, 0,
     "the sound's volume, 0 to 100"},
    {SettingId::mute, "mute", SettingKind::onOff, "false", 0, 1, 0, settingActs::sound, 0,
     "the sound off (M turns it on and off)"},
    {SettingId::windowSize, "window-size", SettingKind::size, "800x600", minWindowSide, maxWindowSide, 0,
     settingActs::window, 0, "the window's client area in pixels"},
    {SettingId::fullscreen, "fullscreen", SettingKind::onOff, "false", 0, 1, 0, settingActs::display, 0,
     "the whole screen instead of a window"},
    {SettingId::mouseSensitivity, "mouse-sensitivity", SettingKind::decimal, "1", 0.25, 4, 0.25, settingActs::flight, 1,
     "a factor on the mouse's reach in steering and camera height"},
    {SettingId::invertCamera, "invert-camera", SettingKind::onOff, "false", 0, 1, 0, settingActs::flight, 2,
     "mouse up (or the right stick up) lowers the camera instead"},
    {SettingId::vsync, "vsync", SettingKind::onOff, "false", 0, 1, 0, settingActs::display, 0,
     "each frame waits for the screen's refresh"},
    {SettingId::frameCap, "frame-cap", SettingKind::whole, "0", 0, 1000, 10, 0, 0,
     "at most this many frames a second (0: as many as come)"},
    {SettingId::gamepadDeadzone, "gamepad-deadzone", SettingKind::whole, "8000", 0, 30000, 1000, 0, 0,
     "how far a stick moves, of its 32767, before it steers"},
    {SettingId::hitCue, "hit-cue", SettingKind::onOff, "true", 0, 1, 0, settingActs::picture, 0,
     "the window's edges flash red when the shield drops"},
    {SettingId::edgeWarning, "edge-warning", SettingKind::onOff, "true", 0, 1, 0, settingActs::picture, 0,
     "a notice when the ship heads out within seconds of the world's edge"},
    {SettingId::headsUpBand, "heads-up-band", SettingKind::onOff, "true", 0, 1, 0, settingActs::picture, 0,
     "the heads-up line on a dark band, over everything"},
    {SettingId::panels, "panels", SettingKind::onOff, "true", 0, 1, 0, settingActs::picture, 0,
     "a dark panel behind the help, the settings screen and the notices"},
    {SettingId::dangerMarks, "danger-marks", SettingKind::onOff, "true", 0, 1, 0, settingActs::picture, 0,
     "a ring on shots and fireballs near enough to hurt, seen through the fog"},
    {SettingId::pixelDensity, "pixel-density", SettingKind::decimal, "1.5", 1, 4, 0.25, 0, 0,
     "in the browser: the most screen pixels drawn for each of the page's (a phone has 2 or 3); fewer fill faster"},
};
constexpr size_t fixedSettingCount = std::size(fixedSettingRows);

// A choice's place in its row's list of names, or -1; with no name, how many names there are.
constexpr int choiceIndex(const SettingRow& row, const char* name) {
    if (!row.choices) return -1;
    int index = 0;
    for (const char *begin = row.choices, *end = begin;; ++end) {
        if (*end != '|' && *end != '\0') continue;
        bool same = name != nullptr;
        for (const char* at = begin; same && at < end; ++at) same = *at == name[at - begin];
        if (same && name[end - begin] == '\0') return index;
        ++index;
        if (*end == '\0') return name ? -1 : index;
        begin = end + 1;
    }
}

namespace settingTableCheck {
constexpr bool inIdOrder() {
    for (size_t i = 0; i < fixedSettingCount; ++i)
        if (size_t(fixedSettingRows[i].id) != i) return false;
    return fixedSettingCount == size_t(SettingId::firstKey);
}
static_assert(inIdOrder(), "fixedSettingRows must be in the order of SettingId");
// A flight setting that did not travel in demos would replay at its default: every one has a code, and only
// they have one, each its own, below the keys' codes.
constexpr bool demoCodesSound() {
    for (size_t i = 0; i < fixedSettingCount; ++i) {
        const SettingRow& row = fixedSettingRows[i];
        if (row.flight() != (row.demoCode != 0) || row.demoCode < 0 || row.demoCode >= keyDemoCodes) return false;
        for (size_t j = i + 1; j < fixedSettingCount; ++j)
            if (row.demoCode != 0 && fixedSettingRows[j].demoCode == row.demoCode) return false;
    }
    return keyDemoCodes + keyActionCount - 1 <= maxDemoCode;
}
static_assert(demoCodesSound(), "every flight setting needs a demo code of its own, and no other setting one");
// A choice lists its names, from 0 to hi, and its default is one of them; no other kind has names.
constexpr bool choicesSound() {
    for (const SettingRow& row : fixedSettingRows) {
        if ((row.kind == SettingKind::choice) != (row.choices != nullptr)) return false;
        if (row.choices && (row.lo != 0 || choiceIndex(row, row.defaultText) < 0 ||
                            choiceIndex(row, nullptr) != int(row.hi) + 1))
            return false;
    }
    return true;
}
static_assert(choicesSound(), "a choice row lists its names, from 0 to hi, its default among them");
}  // namespace settingTableCheck

constexpr int headsUpLabelled = choiceIndex(fixedSettingRows[size_t(SettingId::headsUp)], "labelled");
constexpr int cameraFramed = choiceIndex(fixedSettingRows[size_t(SettingId::camera)], "framed");
static_assert(headsUpLabelled > 0 && cameraFramed > 0, "the choices the game draws are listed");

// The whole table: the fixed rows, then one key-ACTION row for each action but quit (Escape), whose texts live
// as long as the table.
const std::vector<SettingRow>& settingsTable();
size_t settingIndex(SettingId id);
size_t settingIndex(KeyAction action);
// The row named name, or -1.
int findSetting(const std::string& name);
// A choice row's names, in order.
std::vector<std::string> choiceNames(const SettingRow& row);
