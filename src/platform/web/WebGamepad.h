// Game pads through the browser's Gamepad API, read once a frame: the same sticks, dead zone and buttons as the
// desktop's controllers (app/Gamepad.h), for pads the browser lays out in its standard mapping.
#pragma once

namespace web {

// Reads the first connected pad and passes on what changed since the last call: a stick moved, a button
// pressed or let go. A pad at rest sends nothing, so the mouse and a finger keep steering.
void readGamepads();

}  // namespace web
