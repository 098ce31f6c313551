// The two textures the start-up sequence loads for the whole scene, kept for the whole run.
#pragma once

#include "common/Gl.h"

inline GLuint detailTexture = 0;  // the ground's detail texture, 0 when it did not load
inline GLuint particleTexture = 0;
