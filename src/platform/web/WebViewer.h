// A flight in the page's address, watched: its frames paced by the page at the viewer's speed, held while the
// viewer holds it or the page pauses, a bar of controls (hold, speed, restart, a timeline, fly from here), and
// a seek that re-runs the world from the start, as fast as it goes, to the frame asked for.
#pragma once

#include <cstddef>
#include <string>

namespace web {

// Starts watching: the demo is playing; the fragment may ask for a frame to begin at ("&at=N").
void startWatching(const std::string& fragment);
// One animation frame of watching: as many passes as the time since the last one holds at the viewer's speed.
void watchPass();
// The flight is the player's now: the bar and the viewer's notice go.
void stopWatching();

}  // namespace web
