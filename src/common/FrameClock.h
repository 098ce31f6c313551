// The frame's clock: the tick the last frame was timed at, its time, and how many frames there have been. The
// frame driver writes them once as each pass begins; every update and the heads-up line read them.
#pragma once

inline unsigned lastTick = 0;       // tick of the previous frame's timing step
inline float frameDuration = 0.0f;  // milliseconds the last frame took; the heads-up line shows it
inline float frameTime = 0.0f;      // the same, at most the world's longest step; every update scales by it
inline int frameCount = 0;          // frames drawn so far
