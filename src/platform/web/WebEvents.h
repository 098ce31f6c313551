// The page's events, mapped to the game's input entry points: keys by their virtual-key codes (the browser's
// keyCode is the same number), the mouse and a finger against the canvas in pixels of its drawing buffer.
#pragma once

namespace web {

// Listens on the window (keys, its size, the tab hidden) and the canvas (the mouse, fingers). The first key,
// click or touch also starts the sound.
void listenToPage();

// Pauses the flight for the page (Escape, which a browser player presses out of habit; the tab hidden): the
// notice says how to fly on, and the next key, click or touch does so, and nothing else.
void pauseByPage(const char* notice = "Paused. Click, tap or press a key to fly on.");
bool pausedByPage();
// Flies on when the page holds the flight; false when it did not.
bool flyOnIfPausedByPage();

}  // namespace web
