// The game's keys, one row each: what the key does, its default code, and its line in the F1 help. The frame
// driver asks keyCode (app/Settings.h) for the key bound now (a key-... setting), the help lines
// (app/KeyHelp.h) are made from it, and a test holds the docs to it.
#pragma once

#include <cstddef>
#include <iterator>
#include <string>

#include "common/InputState.h"  // keyCodeCount

// Virtual-key codes as Windows numbers them, below keyCodeCount: digits and letters are coded as their
// characters, F1 to F12 from 0x70, the left mouse button as a key. The shells translate their own codes into these.
constexpr int vkLeftButton = 0x01;
constexpr int vkBack = 0x08;  // Backspace
constexpr int vkReturn = 0x0D;
constexpr int vkEscape = 0x1B;
constexpr int vkF1 = 0x70;
constexpr int vkF2 = 0x71;
constexpr int vkF11 = 0x7A;
constexpr int vkF12 = 0x7B;
constexpr int vkLeft = 0x25, vkUp = 0x26, vkRight = 0x27, vkDown = 0x28;

// quit comes last: every action before it can be bound to another key.
enum class KeyAction {
    fill,
    lines,
    points,
    pause,
    mute,
    help,
    fullscreen,
    screenshot,
    flyAgain,
    settings,
    share,
    quit
};
constexpr int keyActionCount = int(KeyAction::quit) + 1;

struct KeyRow {
    KeyAction action;
    const char* name;  // what the action is called where keys are named
    int code;          // the key unless a setting binds another
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
    {KeyAction::settings, "settings", vkF2, "", "settings", 2},
    {KeyAction::fullscreen, "fullscreen", vkF11, "Alt+Enter", "whole screen", 2},
    {KeyAction::screenshot, "screenshot", vkF12, "", "screenshot", 3},
    {KeyAction::share, "share", 'L', "", "the flight as a link", 3},
    {KeyAction::quit, "quit", vkEscape, "", "quit", 3},
    {KeyAction::flyAgain, "fly-again", vkReturn, "a left click", "fly again from the start", 4},
};

// The row of an action.
constexpr const KeyRow& keyRow(KeyAction action) {
    for (const KeyRow& row : keyTable)
        if (row.action == action) return row;
    return keyTable[0];
}

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

// How a key is named to the player and in the settings: "1", "P", "F12", "Enter", "Escape", "Page Up".
std::string keyLabel(int code);
// The key a label names (as keyLabel gives it, letters in either case), or -1 for none.
int keyFromLabel(const std::string& label);
