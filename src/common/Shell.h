// The seam between the portable game and a platform: one struct of the services a shell gives the game, a
// comment on each, and one instance per shell (SDL2, Win32, headless, web), chosen once at the start of main.
// Each shell fills every member by name with a function of its own; platform/template/TemplateShell.cpp is
// the template for a new one, every service a named stub that says it is missing.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Fills out with frames frames of the game's sound, interleaved 16-bit stereo at the mixer's rate.
using MixSource = void (*)(int16_t* out, size_t frames);

// What handling a waiting message came to.
enum class Message { none, handled, quit };

struct Shell {
    const char* name;  // "sdl", "win32", "headless": said where a service is missing

    // The window and its GL context. openWindow opens them at a client area of width by height (the whole
    // screen in the desktop's mode when fullscreen), calls resizeViewport and setupScene, and says why itself
    // when it cannot (with a failure box where one can be seen); closeWindow releases whatever was opened, and
    // may be called after a failed or no open.
    bool (*openWindow)(const char* title, int width, int height, int bits, bool fullscreen);
    void (*closeWindow)();
    void (*swapBuffers)();  // shows the frame just drawn
    // Between the window and the whole screen; the viewport follows. False when the platform cannot change the
    // window (a display without a window manager): nothing changed.
    bool (*toggleFullscreen)();
    // A new client area for the window (not while it fills the screen); the viewport follows.
    void (*resizeWindow)(int width, int height);
    // Whether each swap waits for the screen's refresh; a driver that cannot choose keeps its own way.
    void (*setVsync)(bool on);
    // The address of a GL entry point, or null when the driver does not offer it.
    void* (*glProcAddress)(const char* name);

    // Messages, for the shells whose loop polls (runMainLoop). handleMessage handles one waiting message
    // through the game's input entry points (onKey, onMouseMove, resizeViewport, onActive); waitMessage sleeps
    // until one arrives (a minimised window draws nothing).
    Message (*handleMessage)();
    void (*waitMessage)();

    // Milliseconds since the system started, wrapping at 2^32, like GetTickCount; and a sleep of about that
    // many milliseconds (the frame cap's).
    unsigned (*tickCount)();
    void (*sleep)(unsigned milliseconds);

    // Compiles display lists listBase .. listBase + count - 1 with the bitmaps of character codes first ..
    // first + count - 1 of the HUD font (bold "Courier New" or its closest match, pixelHeight pixels high).
    // Each list moves the raster position by the glyph's advance, the space's too. Needs the GL context
    // current. False when no font could be found; the lists then draw nothing.
    bool (*buildFontBitmaps)(unsigned listBase, int first, int count, int pixelHeight);

    // The folder of the player's settings file (an absolute path; "" for none, and then no file is kept).
    std::string (*settingsFolder)();
    // Where the player keeps pictures (an absolute path): screenshots go there. The folder the game was
    // started from when there is no such folder.
    std::string (*picturesFolder)();
    // The running program's folder, and where an installed game keeps its data: where the game looks for its
    // level after the current folder. "" for unknown or none.
    std::string (*executableFolder)();
    std::string (*installedDataFolder)();

    // Hands a shared flight's link on (an address relative to the page): copies it where the platform has a
    // clipboard, the page its whole address, offering the system's share sheet where there is one. False when
    // nothing could take it (it is printed all the same).
    bool (*shareLink)(const std::string& link);
    // ES draw calls and uniform values sent so far, for a shell drawing through the project's ES layer; null
    // for one whose GL is the driver's own.
    void (*drawCounts)(unsigned long& draws, unsigned long& uniformSends);
    // Whether a shared flight's demo is saved beside the pictures (a desktop's); the page hands on its link.
    bool savesSharedFlights;

    // Shows a failure that ends the program, where someone can see it (a box); it has been said on stderr.
    void (*showFailureBox)(const std::string& text);

    // Sound. openAudio opens the device, pulling from source, or says in one line that the game plays on
    // silently; feedAudio, after every pass, tops the device's queue up from the source; closeAudio ends it.
    bool (*openAudio)(MixSource source);  // false when no device plays: the game is silent
    void (*feedAudio)();
    void (*closeAudio)();
};

// Chooses the shell every service comes from; called once, first thing in main (and by tests).
void useShell(const Shell& shell);
// The chosen shell. Needs useShell first.
const Shell& shell();
// The chosen shell, or null in the programs that have none (the level generator).
const Shell* shellIfAny();
