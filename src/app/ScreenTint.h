// A tint over the window's edges, drawn over the frame: the cue of a dropping shield.
#pragma once

// Red at the window's edges fading towards the middle, at strength (0 to 1: 1 is the cue of a direct hit).
// Leaves the GL state as it found it: both matrices, the enables, blending, the depth mask, the polygon mode;
// the current colour is left white, as the heads-up line leaves it.
void drawEdgeTint(float strength);
