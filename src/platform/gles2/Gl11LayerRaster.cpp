// The raster position, bitmaps and display lists: the heads-up font's glyphs are bitmaps compiled into lists
// once; each goes onto a glyph page when compiled, and every call of the list draws its place as one quad.
#include <algorithm>
#include <cmath>
#include <vector>

#include "platform/gles2/Gl11LayerBatch.h"

namespace gles2 {
namespace {

DisplayList* listNamed(GLuint name) {
    auto& lists = layer().lists;
    return name >= 1 && name <= lists.size() ? lists[name - 1].get() : nullptr;
}

void freeList(DisplayList& list) {
    flushBatch();  // a page let go may hold glyphs waiting to be drawn
    for (const RecordedBitmap& b : list.bitmaps) layer().glyphs.release(layer().es, b.place.page);
    list.bitmaps.clear();
}

// The bitmap's bits (rows from the bottom, each from its high bit, padded to the unpack alignment) as one byte
// a pixel: 255 where a bit is set.
std::vector<GLubyte> coverage(GLsizei width, GLsizei height, const GLubyte* bits) {
    const size_t alignment = size_t(std::max(1, layer().unpackAlignment));
    const size_t rowBytes = (size_t(width) + 7) / 8;
    const size_t stride = (rowBytes + alignment - 1) / alignment * alignment;
    std::vector<GLubyte> alpha(size_t(width) * size_t(height));
    for (GLsizei y = 0; y < height; ++y)
        for (GLsizei x = 0; x < width; ++x)
            alpha[size_t(y) * size_t(width) + size_t(x)] =
                (bits[size_t(y) * stride + size_t(x) / 8] >> (7 - x % 8)) & 1 ? 255 : 0;
    return alpha;
}

// A bitmap on a glyph page (for a list), or on a page of its own size, let go once drawn (for a bitmap drawn at
// once, which a list does not keep). ES's texture state is the game's again after.
void placeBitmap(RecordedBitmap& bitmap, const GLubyte* bits, bool kept) {
    LayerState& s = layer();
    const std::vector<GLubyte> alpha = coverage(bitmap.width, bitmap.height, bits);
    GlyphAtlas once(0);
    GlyphAtlas& atlas = kept ? s.glyphs : once;
    bitmap.place = atlas.add(s.es, bitmap.width, bitmap.height, alpha.data());
    s.es.PixelStorei(GL_UNPACK_ALIGNMENT, s.unpackAlignment);
    s.es.BindTexture(GL_TEXTURE_2D, s.boundTexture[0]);
    s.es.ActiveTexture(GLenum(GL_TEXTURE0 + s.activeUnit));
}

void playBitmap(const RecordedBitmap& bitmap) {
    Raster& r = layer().raster;
    const bool drawn = layer().colour.mask[0] || layer().colour.mask[1] || layer().colour.mask[2];
    if (drawn) drawBitmap(bitmap);  // a measuring pass only moves the raster position
    if (!r.valid) return;
    r.window[0] += bitmap.xMove;
    r.window[1] += bitmap.yMove;
}

}  // namespace
}  // namespace gles2

using namespace gles2;

void GLAPIENTRY glRasterPos2f(GLfloat x, GLfloat y) {
    LayerState& s = layer();
    const float object[4] = {x, y, 0, 1};
    float eye[4], clip[4];
    s.modelview.back().transform(object, eye);
    s.projection.back().transform(eye, clip);
    Raster& r = s.raster;
    const float w = clip[3];
    r.valid = std::fabs(clip[0]) <= w && std::fabs(clip[1]) <= w && std::fabs(clip[2]) <= w && w > 0;
    if (!r.valid) return;
    const GLint* v = s.viewport;
    r.window[0] = float(v[0]) + (clip[0] / w + 1) * float(v[2]) / 2;
    r.window[1] = float(v[1]) + (clip[1] / w + 1) * float(v[3]) / 2;
    r.window[2] = (clip[2] / w + 1) / 2;
    r.window[3] = w;
    for (int i = 0; i < 4; ++i) r.colour[i] = std::clamp(s.current[i], 0.0f, 1.0f);
    r.distance = std::sqrt(eye[0] * eye[0] + eye[1] * eye[1] + eye[2] * eye[2]);
}

void GLAPIENTRY glBitmap(GLsizei width, GLsizei height, GLfloat xOrigin, GLfloat yOrigin, GLfloat xMove, GLfloat yMove,
                         const GLubyte* bits) {
    LayerState& s = layer();
    if (width < 0 || height < 0) return recordError(GL_INVALID_VALUE);
    RecordedBitmap bitmap{width, height, xOrigin, yOrigin, xMove, yMove, {}};
    const bool kept = s.compiling != 0;
    if (bits && width > 0 && height > 0)
        placeBitmap(bitmap, bits, kept);
    else
        bitmap.width = bitmap.height = 0;  // a move of the raster position alone
    if (kept) return listNamed(s.compiling)->bitmaps.push_back(bitmap);
    playBitmap(bitmap);
    if (bitmap.place.page) {
        flushBatch();
        s.es.DeleteTextures(1, &bitmap.place.page);
    }
}

GLuint GLAPIENTRY glGenLists(GLsizei range) {
    auto& lists = layer().lists;
    if (range <= 0) return 0;
    // The first run of range free names, as GL gives names back: the font, built again at each new window
    // width, takes the names it freed.
    size_t first = 0, free = 0;
    while (first + free < lists.size() && free < size_t(range)) {
        if (lists[first + free]) {
            first += free + 1;
            free = 0;
        } else {
            ++free;
        }
    }
    if (first + size_t(range) > lists.size()) lists.resize(first + size_t(range));
    for (size_t i = first; i < first + size_t(range); ++i) lists[i] = std::make_unique<DisplayList>();
    return GLuint(first + 1);
}
void GLAPIENTRY glDeleteLists(GLuint first, GLsizei range) {
    for (GLsizei i = 0; i < range; ++i)
        if (DisplayList* list = listNamed(first + GLuint(i))) {
            freeList(*list);
            layer().lists[first + GLuint(i) - 1].reset();
        }
}
void GLAPIENTRY glNewList(GLuint name, GLenum mode) {
    LayerState& s = layer();
    if (mode != GL_COMPILE) return unsupported("list compiled and run at once");
    if (s.compiling) return recordError(GL_INVALID_OPERATION);
    if (name == 0) return recordError(GL_INVALID_VALUE);
    if (name > s.lists.size()) s.lists.resize(name);
    if (!s.lists[name - 1]) s.lists[name - 1] = std::make_unique<DisplayList>();
    freeList(*s.lists[name - 1]);
    s.compiling = name;
}
void GLAPIENTRY glEndList() {
    if (!layer().compiling) return recordError(GL_INVALID_OPERATION);
    layer().compiling = 0;
}
void GLAPIENTRY glListBase(GLuint base) { layer().listBase = base; }
void GLAPIENTRY glCallLists(GLsizei count, GLenum type, const GLvoid* names) {
    if (type != GL_UNSIGNED_BYTE) return unsupported("list names but bytes");
    const GLubyte* codes = static_cast<const GLubyte*>(names);
    for (GLsizei i = 0; i < count; ++i)
        if (const DisplayList* list = listNamed(layer().listBase + codes[i]))
            for (const RecordedBitmap& bitmap : list->bitmaps) playBitmap(bitmap);
}
