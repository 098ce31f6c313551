// The SDL2 shell's window: its steps (platform/WindowSteps.h) made with SDL's calls.
#pragma once

#include <string>

#include "platform/WindowSteps.h"

// Every SDL call the window steps make, so tests can make any one of them fail and record the boxes.
struct SdlWindowApi {
    int (*initVideo)();  // stands for registering the window class
    void (*quitVideo)();
    bool (*hasDisplay)();  // false when SDL could only offer a driver that shows nothing (offscreen, dummy)
    bool (*changeDisplayMode)(int width, int height, int bits);
    void* (*createWindow)(const char* title, int width, int height, bool fullscreen);  // hidden, GL-capable
    void (*destroyWindow)(void* window);
    bool (*hasDrawable)(void* window);  // the window's GL drawable: stands for its device context
    bool (*requestPixelFormat)(int colourBits, int depthBits);  // asked before the window is made
    bool (*pixelFormatGranted)(void* window);
    void* (*createContext)(void* window);
    bool (*makeCurrent)(void* window, void* context);
    void (*deleteContext)(void* context);
    void (*show)(void* window);
    bool (*messageBox)(const char* text, const char* caption, BoxKind kind);  // true for OK or Yes
};

// Replaces the calls used by openWindow and closeWindow (tests); null restores the real ones.
void useSdlWindowApi(const SdlWindowApi* api);

// How the SDL game shows a failure: in an error box, only on a display someone can see (the video subsystem is
// started for it when no window is open).
void showFailureBox(const std::string& text);

bool openWindow(const char* title, int width, int height, int bits, bool fullscreen);
void closeWindow();

// Switches the open window between the desktop's whole screen and a window; false where no window manager
// runs (nothing would change).
bool toggleFullscreen();
// The shell's resizeWindow and setVsync (common/Shell.h).
void resizeWindow(int width, int height);
void setVsync(bool on);
// Corrects a client size SDL reports to the window's real one, where the window system can tell.
void clientSize(int& width, int& height);

// The window and context opened, or null.
void* gameWindow();
