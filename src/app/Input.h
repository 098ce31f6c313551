// The game's input entry points: what a shell calls as its window's messages arrive.
#pragma once

// The window the mouse is read against, whatever the window's size (the middle flies straight in any), and
// the size of the tools' headless view.
constexpr int referenceWidth = 800, referenceHeight = 600;

void onMouseMove(unsigned x, unsigned y);    // client coordinates in pixels
void onClientResize(int width, int height);  // the client area the mouse is read against
void onKey(int virtualKey, bool down);       // a virtual-key code (app/KeyTable.h), down or up
// A game controller's sticks, from -1 to 1: the left one's x steers as the mouse does across the window, the
// right one's y sets the camera height as the mouse does up and down it.
void onSteeringStick(float x);
void onCameraStick(float y);
// The window is drawn (true) or minimised (false): a minimised window draws nothing and the loop sleeps.
void onActive(bool drawn);

// Whether the mouse, a stick or a finger has steered since the game began (or since forgetSteering).
bool steeredYet();
void forgetSteering();
// The input as the game starts with it: no mouse yet, the reference window's size, nothing steered.
void forgetInput();

// Where the mouse was last, in pixels of the client area, and the client area's size.
void mouseInWindow(int& x, int& y, int& width, int& height);

// Applies one input message, live or from a demo.
struct DemoEvent;
void applyInputEvent(const DemoEvent& event);
