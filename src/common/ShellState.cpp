// Process-wide values of the application shell.
#include "common/ShellState.h"

bool active = true;
bool keys[256] = {};
bool keysPressed[256] = {};
unsigned lastTick = 0;
float frameDuration = 0.0f;
float frameTime = 0.0f;
int frameCount = 0;
GLuint detailTexture = 0;
GLuint particleTexture = 0;

namespace arb {
PFNGLACTIVETEXTUREARBPROC glActiveTextureARB = nullptr;
PFNGLMULTITEXCOORD2FARBPROC glMultiTexCoord2fARB = nullptr;
PFNGLCLIENTACTIVETEXTUREARBPROC glClientActiveTextureARB = nullptr;
}  // namespace arb
