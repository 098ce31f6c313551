// The input state the shells' events leave for the frame driver: the keys by virtual-key code, and whether the
// window is active.
#pragma once

constexpr int keyCodeCount = 256;  // virtual-key codes run from 0 to 255

inline bool active = true;            // false while the window is minimised
inline bool keys[keyCodeCount] = {};  // key-down flags by virtual-key code
// How often each key went down since the last frame: every tap between two frames counts, as each message does.
using KeyPresses = unsigned char;
inline KeyPresses keysPressed[keyCodeCount] = {};
