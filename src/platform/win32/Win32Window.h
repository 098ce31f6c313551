// The Win32 shell's window: its steps (platform/WindowSteps.h) made with Win32, GDI and WGL calls, the window
// procedure, and what the game asks of the open window. <windows.h> stays in the .cpp files.
#pragma once

#include "platform/WindowSteps.h"

// The steps with the real calls; tests copy them and make one fail.
const WindowSteps& win32WindowSteps();

bool openWindow(const char* title, int width, int height, int bits, bool fullscreen);
void closeWindow();
void swapBuffers();

// Between the window and a borderless window over the whole monitor; the viewport follows.
bool toggleFullscreen();
// A client area of width by height, unless the window fills the screen.
void resizeWindow(int width, int height);
void setVsync(bool on);

// The window's device context (an HDC), for the font; null while there is none.
void* deviceContextHandle();
