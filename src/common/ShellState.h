// Process-wide values of the application shell that the other subsystems read.
#pragma once

#include "common/Gl.h"

extern bool active;            // false while the window is minimised
extern bool keys[256];         // key-down flags by virtual-key code
extern bool keysPressed[256];  // keys that went down since the last frame: a tap between two frames counts
extern unsigned lastTick;      // tick of the previous frame's timing step
// The frame's time, set once as each pass begins (from the last frame's measure, or the demo being played):
extern float frameDuration;    // milliseconds the last frame took; the heads-up line shows it
extern float frameTime;        // the same, at most the world's longest step; every update scales by it
extern int frameCount;         // frames drawn so far
extern GLuint detailTexture;   // terrain detail texture, 0 when it did not load
extern GLuint particleTexture;

// The multitexture entry points, looked up at start-up. Kept in their own namespace because the system
// GL headers may declare functions of the same names.
namespace arb {
extern PFNGLACTIVETEXTUREARBPROC glActiveTextureARB;
extern PFNGLMULTITEXCOORD2FARBPROC glMultiTexCoord2fARB;
extern PFNGLCLIENTACTIVETEXTUREARBPROC
    glClientActiveTextureARB;  // may be null: the ground is then sent corner by corner
}  // namespace arb
