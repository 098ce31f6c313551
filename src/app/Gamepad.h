// A game pad as the game reads it on every shell: the left stick steers and the right one raises the camera,
// as the mouse does across and up and down the window, past the dead zone the player set; the buttons stand
// for keys.
#pragma once

enum class PadButton { a, b, start, up, down, left, right };

// The key a button stands for: the pad moves through the settings screen, A chooses (and flies again), B goes
// back, Start opens the settings.
int virtualKeyForPadButton(PadButton button);

// A stick's position from -1 to 1, from its raw value (-32768 to 32767), with the gamepad-deadzone setting so
// that a stick at rest flies straight.
float stickPosition(int value);
