// What the layer remembers of GL 1.1's state: everything the game sets, in GL's initial values.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/gles2/EsFunctions.h"
#include "platform/gles2/GlyphAtlas.h"
#include "platform/gles2/Matrix4.h"
#include "platform/gles2/VertexBufferCache.h"

namespace gles2 {

constexpr int textureUnits = 2;
constexpr int matrixStackDepth = 32;     // GL 1.1 asks for at least 32 model-view matrices
constexpr int projectionStackDepth = 2;  // and at least 2 projections
constexpr int attributeStackDepth = 16;

// One corner as the shader takes it: position, normal, colour, and a texture coordinate per unit.
struct Vertex {
    float position[3];
    float normal[3];
    float colour[4];
    float texture[textureUnits][2];
};

struct ClientArray {
    bool enabled = false;
    int size = 4;
    GLsizei stride = 0;
    const GLfloat* pointer = nullptr;
};

struct ClientArrays {
    ClientArray vertex, normal, colour, texture[textureUnits];
    int clientActiveUnit = 0;
};

// The enables GL 1.1 keeps per texture unit and for the whole pipeline.
struct Enables {
    bool lighting = false, light0 = false, fog = false, blend = false, depthTest = false, cullFace = false;
    bool texture[textureUnits] = {false, false};
};

struct ColourBuffer {
    bool blend = false;
    GLenum blendSource = GL_ONE, blendDestination = GL_ZERO;
    bool mask[4] = {true, true, true, true};
    float clear[4] = {0, 0, 0, 0};
};

struct DepthBuffer {
    bool test = false;
    GLenum function = GL_LESS;
    bool mask = true;
    float clear = 1;
};

struct Material {
    float ambient[4] = {0.2f, 0.2f, 0.2f, 1};
    float diffuse[4] = {0.8f, 0.8f, 0.8f, 1};
    float specular[4] = {0, 0, 0, 1};
    float emission[4] = {0, 0, 0, 1};
    float shininess = 0;
};

struct Light {
    float ambient[4] = {0, 0, 0, 1};
    float diffuse[4] = {1, 1, 1, 1};  // light 0's; the others start dark, and the game has only light 0
    float specular[4] = {1, 1, 1, 1};
    float eyePosition[4] = {0, 0, 1, 0};
};

struct Fog {
    GLenum mode = GL_EXP;
    float density = 1, start = 0, end = 1;
    float colour[4] = {0, 0, 0, 0};
};

struct TextureEnvironment {
    GLenum mode = GL_MODULATE;
    float rgbScale = 1;
};

// A glBitmap kept by a display list: its pixels already on a glyph page, replayed as one quad.
struct RecordedBitmap {
    GLsizei width = 0, height = 0;
    float xOrigin = 0, yOrigin = 0, xMove = 0, yMove = 0;
    GlyphAtlas::Place place;  // its page, or a texture of its own for a bitmap drawn at once
};

struct DisplayList {
    std::vector<RecordedBitmap> bitmaps;
};

struct Raster {
    float window[4] = {0, 0, 0, 1};
    bool valid = true;
    float colour[4] = {1, 1, 1, 1};
    float distance = 0;  // from the eye, for its fog
};

// The program's uniforms, by what they hold.
enum Uniform {
    mvpUniform,
    modelviewUniform,
    normalMatrixUniform,
    lightPositionUniform,
    lightAmbientUniform,
    lightDiffuseUniform,
    lightSpecularUniform,
    sceneAmbientUniform,
    materialAmbientUniform,
    materialDiffuseUniform,
    materialSpecularUniform,
    materialEmissionUniform,
    shininessUniform,
    rgbScale1Uniform,
    fogDensityUniform,
    fogStartUniform,
    fogEndUniform,
    fogColourUniform,
    uniformCount
};

// What a draw needs of the pipeline: each set of features has a program of its own, built when first drawn,
// as the desktop driver builds its fixed-function shaders; no branch is left to the fragments.
namespace Feature {
enum : unsigned {
    lit = 1,
    light0 = 2,
    texture0 = 4,
    texture1 = 8,
    combine1 = 16,
    fog = 32,
    exp2Fog = 64,
    linearFog = 128,
    bitmap = 256
};
}

// One program, the places of its uniforms, and the values last sent to them (sent again only when changed).
struct Program {
    GLuint name = 0;
    GLint places[uniformCount] = {};
    float sent[uniformCount][16] = {};
    bool known[uniformCount] = {};
};

struct AttributeFrame {
    GLbitfield mask;
    Enables enables;
    ColourBuffer colour;
    DepthBuffer depth;
    GLuint listBase;
};

struct LayerState {
    EsFunctions es{};
    std::vector<std::unique_ptr<Program>> programs;  // by set of features; null until first drawn
    unsigned usedFeatures = ~0u;
    GLuint vertexBuffer = 0, quadIndexBuffer = 0;  // the stream every uncached draw goes through; quads' indices
    GLuint pointedBuffer = 0;                      // the buffer the attributes read now
    unsigned long draws = 0, uniformSends = 0;     // ES draw calls and uniform values sent since the start
    VertexBufferCache arrayBuffers;
    bool started = false;

    GLenum matrixMode = GL_MODELVIEW;
    std::vector<Matrix4> modelview{1}, projection{1};

    Enables enables;
    ColourBuffer colour;
    DepthBuffer depth;
    GLenum cullFace = GL_BACK;
    GLenum polygonMode = GL_FILL;
    GLint viewport[4] = {0, 0, 0, 0};
    GLint unpackAlignment = 4, packAlignment = 4;

    float current[4] = {1, 1, 1, 1};
    float currentNormal[3] = {0, 0, 1};
    float currentTexture[textureUnits][2] = {};

    Material material;
    Light light;
    float sceneAmbient[4] = {0.2f, 0.2f, 0.2f, 1};
    Fog fog;
    TextureEnvironment environment[textureUnits];
    int activeUnit = 0;
    GLuint boundTexture[textureUnits] = {0, 0};
    std::vector<bool> definedTextures;  // by name: whether it has pixels, as GL 1.1 textures only then

    ClientArrays arrays;
    std::vector<ClientArrays> clientStack;
    std::vector<AttributeFrame> attributeStack;

    GLenum begun = 0;  // the primitive between glBegin and glEnd, 0 outside
    std::vector<Vertex> corners;

    Raster raster;
    GLuint listBase = 0;
    std::vector<std::unique_ptr<DisplayList>> lists;  // by name - 1; null where freed or never made
    GlyphAtlas glyphs;                                // the lists' bitmaps
    GLuint compiling = 0;                             // the list glNewList opened, 0 outside

    GLenum error = GL_NO_ERROR;
};

LayerState& layer();

Matrix4& currentMatrix();
// Notes GL's error (the first is kept until read) and says once that the layer lacks what the game asked.
void unsupported(const char* what);
void recordError(GLenum error);

// Drawing: the corners of one primitive (taken), in the state the layer holds, into the batch; a draw from
// client arrays names itself, so that corners unchanged since its last time are not sent again.
void drawPrimitive(GLenum mode, std::vector<Vertex>& corners, const ArrayDraw* arrays = nullptr);
// The textured quad of a bitmap at the raster position, into the batch.
void drawBitmap(const RecordedBitmap& bitmap);
// The program for a set of features, built on first use; nullptr (said once) if it does not build.
Program* programFor(unsigned features);
// glMultiTexCoord2fARB, glActiveTextureARB and glClientActiveTextureARB, handed out by extensionProcAddress.
void multiTexCoord2f(GLenum unit, GLfloat s, GLfloat t);
void activeTexture(GLenum unit);
void clientActiveTexture(GLenum unit);
// Puts ES's own state (blending, depth, culling, masks, clear values) back to what the layer holds.
void applyFixedState();

}  // namespace gles2
