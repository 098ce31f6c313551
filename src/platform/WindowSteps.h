// The window's opening and closing steps, written once for every shell that opens a window (SDL2, Win32): their
// order, the message each failure shows and what is torn down after it. A shell fills WindowSteps with its
// platform's calls; everything else (boxes, teardown, the viewport and the scene) happens here.
#pragma once

// The boxes the steps show. error: caption "ERROR", OK, exclamation; stop: the same with the stop icon;
// shutdown: "SHUTDOWN ERROR", OK, information; question: Yes and No, exclamation.
enum BoxKind { errorBox = 0, shutdownBox = 1, questionBox = 2, stopBox = 3 };

// The platform's calls, one a step; each returns false when it fails. Handles stay with the platform.
struct WindowSteps {
    bool (*registerClass)();  // the window class (SDL: the video subsystem)
    // Whether a window (and a box) would be seen at all; null where it always would be.
    bool (*hasDisplay)();
    bool (*changeDisplayMode)(int width, int height, int bits);  // the whole screen at width by height
    // The window, hidden, with a client area of width by height (a colour depth of bits for the platforms that
    // ask for the pixel format before there is a window).
    bool (*createWindow)(const char* title, int width, int height, int bits, bool fullscreen);
    bool (*getDeviceContext)();
    bool (*choosePixelFormat)(int bits);  // double-buffered RGBA at bits, 16-bit depth
    bool (*setPixelFormat)();
    bool (*createContext)();
    bool (*makeCurrent)();
    void (*show)();  // shown, in front, with the focus

    bool (*releaseCurrent)();
    bool (*deleteContext)();
    bool (*releaseDeviceContext)();
    bool (*destroyWindow)();
    bool (*unregisterClass)();

    // Shows a box and waits for its answer: true for OK or Yes.
    bool (*messageBox)(const char* text, const char* caption, BoxKind kind);
    // What the platform says of its last failure, added to the line on stderr ("" for nothing more).
    const char* (*lastError)();
};

// Opens the window and its GL context in order, then sets the viewport and the scene (resizeViewport,
// setupScene). A failure is said on stderr and, where a display can show it, in a box; from the window's
// creation on, what was made is torn down first. False on any failure.
bool openWindowInSteps(const WindowSteps& steps, const char* title, int width, int height, int bits, bool fullscreen);
// Releases what is held, in reverse order; a release that fails is said (and shown) and the rest goes on.
void closeWindowInSteps(const WindowSteps& steps);
