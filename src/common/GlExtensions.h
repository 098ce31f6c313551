// The GL extension entry points the game uses, looked up once by the start-up sequence through the shell.
#pragma once

#include "common/Gl.h"

// Kept in their own namespace because the system GL headers may declare functions of the same names.
namespace arb {
inline PFNGLACTIVETEXTUREARBPROC glActiveTextureARB = nullptr;
inline PFNGLMULTITEXCOORD2FARBPROC glMultiTexCoord2fARB = nullptr;
// May be null: the ground is then sent corner by corner.
inline PFNGLCLIENTACTIVETEXTUREARBPROC glClientActiveTextureARB = nullptr;
}  // namespace arb
