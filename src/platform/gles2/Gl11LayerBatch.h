// Draws that share the pipeline's state wait in one batch and reach ES as one draw, as a desktop driver gathers
// immediate mode into one buffer: a line of text is one draw rather than a draw a glyph, the shots of a volley
// one draw rather than one each. A batch is drawn when a draw of other state comes, before ES's own state
// changes (blending, depth, masks, culling, a texture bound, filled or let go, the viewport) and before anything
// reads or shows the pixels. Draws from immediate mode that differ only in their modelview still join: their
// corners, sent every time anyway, are moved into the eye's space on the CPU, which costs less than a draw.
#pragma once

#include <cstddef>
#include <vector>

#include "platform/gles2/Gl11LayerState.h"

namespace gles2 {

// A quad's two triangles share its second and fourth corners, as the desktop driver splits them.
constexpr int quadTriangles[6] = {0, 1, 3, 1, 2, 3};

// Everything a draw's picture takes from the pipeline besides its corners and ES's own state: two draws of the
// same DrawState can be one. Only what the draw's features use is filled in; the rest keeps its first values.
struct DrawState {
    unsigned features = 0;
    GLenum primitive = 0;  // GL_TRIANGLES, GL_LINES, GL_POINTS, or GL_QUADS drawn by index
    GLuint textures[textureUnits] = {};
    Light light;
    Material material;
    float sceneAmbient[4] = {};
    Fog fog;
    float rgbScale1 = 1;
    Matrix4 projection;
    Matrix4 modelview;  // last: draws that differ only here can still join
};

// Adds a draw's corners (taken: the vector is left empty or with the batch's old storage) to the batch, drawing
// the batch first if they cannot join. A draw from client arrays that is drawn alone keeps its corners on the GPU.
void batchDraw(const DrawState& state, std::vector<Vertex>& corners, const ArrayDraw* arrays = nullptr);
// Hands the batch to ES now.
void flushBatch();
// Forgets the batch undrawn: its context is gone.
void dropBatch();
// The one vertex buffer every draw streams its corners through, with its attributes' layout, and the quads'
// index buffer.
void startVertexStream();

}  // namespace gles2
