// The game's keys, one row each: what the key does, its code, and its line in the F1 help. The frame driver
// reads the codes from here, the help lines are made from it, and a test holds the docs to it.
#pragma once

#include <cstddef>
#include <iterator>
#include <string>
#include <vector>

// Virtual-key codes as Windows numbers them: digits and letters are coded as their characters, F1 to F12
// from 0x70, the left mouse button as a key. The shells translate their own codes into these.
constexpr int vkLeftButton = 0x01;
constexpr int vkReturn = 0x0D;
constexpr int vkEscape = 0x1B;
constexpr int vkF1 = 0x70;
constexpr int vkF11 = 0x7A;
constexpr int vkF12 = 0x7B;

enum class KeyAction { fill, lines, points, pause, mute, help, fullscreen, screenshot, flyAgain, quit };

struct KeyRow {
    KeyAction action;
    const char* name;  // what the action is called where keys are named
    int code;          // the key
    const char* also;  // another way to the same, said beside the key ("" for none)
    const char* help;  // what the key does, as the F1 help says it
    int helpLine;      // the F1 help line it is listed on, left to right in table order
};

// In the order of KeyAction.
inline constexpr KeyRow keyTable[] = {
    {KeyAction::fill, "fill", '1', "", "filled", 0},
    {KeyAction::lines, "lines", '2', "", "lines", 0},
    {KeyAction::points, "points", '3', "", "points", 0},
    {KeyAction::pause, "pause", 'P', "", "pause", 1},
    {KeyAction::mute, "mute", 'M', "", "sound", 1},
    {KeyAction::help, "help", vkF1, "", "these keys", 1},
    {KeyAction::fullscreen, "fullscreen", vkF11, "Alt+Enter", "whole screen", 2},
    {KeyAction::screenshot, "screenshot", vkF12, "", "screenshot", 3},
    {KeyAction::quit, "quit", vkEscape, "", "quit", 3},
    {KeyAction::flyAgain, "fly-again", vkReturn, "a left click", "fly again from the start", 4},
};

// The row of an action.
constexpr const KeyRow& keyRow(KeyAction action) {
    for (const KeyRow& row : keyTable)
        if (row.action == action) return row;
    return keyTable[0];
}
constexpr int keyCode(KeyAction action) { return keyRow(action).code; }

namespace keyTableCheck {
constexpr bool everyActionOnce() {
    for (int a = 0; a <= int(KeyAction::quit); ++a) {
        int rows = 0;
        for (const KeyRow& row : keyTable) rows += int(row.action) == a;
        if (rows != 1) return false;
    }
    return true;
}
static_assert(everyActionOnce(), "every KeyAction needs exactly one row in keyTable");
}  // namespace keyTableCheck

// How a key is named to the player: "1", "P", "F12", "Enter", "Escape".
std::string keyLabel(int code);
// What F1 shows over the view, a line each: the mouse's two axes, then the keys' lines.
std::vector<std::string> helpLines();
