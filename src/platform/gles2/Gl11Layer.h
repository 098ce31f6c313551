// The game's OpenGL 1.1 over OpenGL ES 2.0 (WebGL 1): a layer of the project's own that defines exactly the
// GL 1.1 and GLU entry points the game calls and draws them with shaders and buffers. It knows nothing of the
// window or the browser: a shell makes an ES 2.0 context current, starts the layer with the platform's loader,
// and links the layer in place of the platform's GL.
//
// Implemented:
//  [x] draws of the same state joined into one ES draw (a batch), drawn before any state ES keeps changes
//  [x] immediate mode (glBegin/glEnd, colour, normal, two units' texture coordinates); points, lines,
//      triangles, strips, fans, quads (split as Mesa splits them) and polygons
//  [x] client arrays (vertex, normal, colour, texture per unit) and glInterleavedArrays' T2F_N3F_V3F, kept on
//      the GPU while unchanged
//  [x] both matrix stacks, translate, rotate, scale; gluPerspective and gluLookAt with Mesa's and GLU's float
//      steps; glGetFloatv of both matrices
//  [x] lighting per vertex: light 0 positional (ambient, diffuse, specular, position in eye space), the
//      scene's ambient, front materials with emission and shininess
//  [x] fog, exponential (both) and linear, per vertex; two texture units with modulate and the combiner's RGB scale
//  [x] blending, the depth test and mask, culling, the colour mask, glPolygonMode's lines and points for both
//      faces (culling first)
//  [x] display lists of bitmaps (the font), glListBase, glCallLists of bytes; the raster position; glBitmap
//  [x] glPushAttrib/glPopAttrib of the enables, colour buffer, depth buffer and list base; the client arrays'
//      glPushClientAttrib; glGetError; glReadPixels of RGB and RGBA bytes
// Not implemented (each said once on stderr, "the OpenGL ES layer has no ...", and GL's error recorded):
//  [ ] line strips and loops, texture and colour matrices, flat shading, lights but light 0, spot lights and
//  attenuation, back
//      materials, texture environments but modulate and the combiner's scale, textures but 2D ones stored in
//      their own format, other attribute groups, lists compiled and run at once, arrays of other than floats
#pragma once

namespace gles2 {

// Fetches the ES entry points, builds the program and sets GL 1.1's initial state. Returns false (having said
// why) when the context lacks an entry point or the program does not build.
bool startLayer(void* (*esProcAddress)(const char* name));

// The game's extension entry points (glActiveTextureARB, glClientActiveTextureARB, glMultiTexCoord2fARB), for
// the shell's glProcAddress; nullptr for any other name.
void* extensionProcAddress(const char* name);
// Hands ES the draws the layer holds back to join them (a swap or a read of the pixels does it as well): for a
// shell whose frame is shown when the pass returns, without a call of the game's to say so.
void drawWaiting();
// ES draw calls and uniform values sent since the layer started: what each WebGL call costs a browser.
void drawCounts(unsigned long& draws, unsigned long& uniformSends);

}  // namespace gles2
