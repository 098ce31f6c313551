// The game's OpenGL 1.1 over OpenGL ES 2.0 (WebGL 1): a layer of the project's own that defines exactly the
// GL 1.1 and GLU entry points the game calls and draws them with shaders and buffers. It knows nothing of the
// window or the browser: a shell makes an ES 2.0 context current, starts the layer with the platform's loader,
// and links the layer in place of the platform's GL.
#pragma once

namespace gles2 {

// Fetches the ES entry points, builds the program and sets GL 1.1's initial state. Returns false (having said
// why) when the context lacks an entry point or the program does not build.
bool startLayer(void* (*esProcAddress)(const char* name));

// The game's extension entry points (glActiveTextureARB, glClientActiveTextureARB, glMultiTexCoord2fARB), for
// the shell's glProcAddress; nullptr for any other name.
void* extensionProcAddress(const char* name);

}  // namespace gles2
