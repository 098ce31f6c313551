// The frame driver: the order of one frame, its timing, and one pass of the main loop.
#pragma once

#include <string>
#include <vector>

// The first frames show the start without moving anything.
constexpr int framesBeforeUpdates = 100;

// The most time the world advances in one frame.
constexpr float maxWorldStepMs = 100;

// Draws one frame: clear, chase view, level, the world update from the 101st frame on, light, timing.
void renderFrame();
// What the last frame's timing step measured: the time from the one before, which the next pass takes.
float measuredFrameTime();
// The notices the last frame wrote over the view, in the order drawn (not the help or the settings).
const std::vector<std::string>& noticesShown();
// How strong the cue of a dropping shield is now: 0 (none) to 1 (a direct hit, just now).
float hitCueStrength();

// One pass of the main loop once no message is waiting: a frame (while active) and its swap, the polygon
// mode keys, P, F1 and F12. Returns true when the loop should end (Escape held or tapped since the last
// pass, or the demo being played is over).
bool loopPass();

// Pauses or resumes the flight as P does: for a shell whose player cannot quit (the browser's page pauses on
// Escape, and when it is hidden).
void setPaused(bool on);
bool flightPaused();

void resetPause();  // for tools and tests that run several games (forgets help, taps, a screenshot asked for, the last
                    // frame's time, whether the player has steered)
