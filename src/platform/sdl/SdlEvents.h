// The SDL2 shell's events, handled as the Win32 game's window procedure handles its messages.
#pragma once

union SDL_Event;

// The Windows virtual-key code for an SDL key code, or -1 for keys without one.
int virtualKeyFor(int sdlKeycode);

// Applies one event to the game's input state. Returns false for the quit event.
bool handleEvent(const SDL_Event& event);
