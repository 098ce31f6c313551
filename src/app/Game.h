// The game's portable shell steps: what every window system (and the headless tools) calls.
#pragma once

// Viewport and the 45-degree projection for a client area; the first call creates the camera.
void resizeViewport(int width, int height);

// Looks up the multitexture entry points, loads the level's files and sets the fixed render state. Needs
// the GL context current. False (said why) when the driver has no multitexturing: the game cannot start.
bool setupScene();

// The window the mouse is read against, whatever the window's size (the middle flies straight in any), and
// the size of the tools' headless view.
constexpr int referenceWidth = 800, referenceHeight = 600;

// The first frames show the start without moving anything.
constexpr int framesBeforeUpdates = 100;

// The most time the world advances in one frame.
constexpr float maxWorldStepMs = 100;

// Draws one frame: clear, chase view, level, the world update from the 101st frame on, light, timing.
void renderFrame();
// What the last frame's timing step measured: the time from the one before, which the next pass takes.
float measuredFrameTime();

// One pass of the main loop once no message is waiting: a frame (while active) and its swap, the polygon
// mode keys, P, F1 and F12. Returns true when the loop should end (Escape held or tapped since the last
// pass, or the demo being played is over).
bool loopPass();

void resetPause();  // for tools and tests that run several games (forgets help, taps, a screenshot asked for, the last frame's time)

// Input as the window's messages deliver it.
void onMouseMove(unsigned x, unsigned y);    // client coordinates in pixels
void onClientResize(int width, int height);  // the client area the mouse is read against
void onKey(int virtualKey, bool down);
// A game controller's sticks, from -1 to 1: the left one's x steers as the mouse does across the window, the
// right one's y sets the camera height as the mouse does up and down it.
void onSteeringStick(float x);
void onCameraStick(float y);
// Applies one input message, live or from a demo.
struct DemoEvent;
void applyInputEvent(const DemoEvent& event);

