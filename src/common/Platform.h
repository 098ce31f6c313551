// Platform services the portable game needs; each shell (SDL2, Win32, headless) implements them once.
#pragma once

#include <string>

namespace platform {

// Milliseconds since the system started, wrapping at 2^32, like GetTickCount.
unsigned tickCount();

// Address of a GL entry point, or null when the implementation does not offer it.
void* glProcAddress(const char* name);

// Shows the back buffer of the game's window.
void swapBuffers();

// Compiles display lists listBase .. listBase + count - 1 with the bitmaps of character codes
// first .. first + count - 1 of the HUD font (bold "Courier New" or its closest match, pixelHeight pixels
// high: 24 unless the window is too narrow for the line). Each list moves the raster position by the glyph's
// advance, the space's too. Needs the GL context current. Returns false when no font could be found; the
// lists then draw nothing.
bool buildFontBitmaps(unsigned listBase, int first, int count, int pixelHeight);

// Where the player keeps pictures (an absolute path): screenshots go there. The folder the game was
// started from when there is no such folder.
std::string picturesFolder();

}  // namespace platform
