// What the game reads back: the viewport, the matrices, the raster position, the pixels, the version.
#include <algorithm>
#include <vector>

#include "platform/gles2/Gl11LayerBatch.h"

using namespace gles2;

void GLAPIENTRY glGetIntegerv(GLenum name, GLint* values) {
    const LayerState& s = layer();
    switch (name) {
        case GL_VIEWPORT: std::copy(s.viewport, s.viewport + 4, values); return;
        case GL_UNPACK_ALIGNMENT: *values = s.unpackAlignment; return;
        case GL_PACK_ALIGNMENT: *values = s.packAlignment; return;
        case GL_MATRIX_MODE: *values = GLint(s.matrixMode); return;
        case GL_LIST_BASE: *values = GLint(s.listBase); return;
    case GL_POLYGON_MODE: values[0] = values[1] = GLint(s.polygonMode); return;
        default: unsupported("such integer to read back");
    }
}

void GLAPIENTRY glGetFloatv(GLenum name, GLfloat* values) {
    const LayerState& s = layer();
    switch (name) {
        case GL_MODELVIEW_MATRIX: std::copy(s.modelview.back().m, s.modelview.back().m + 16, values); return;
        case GL_PROJECTION_MATRIX: std::copy(s.projection.back().m, s.projection.back().m + 16, values); return;
        case GL_CURRENT_RASTER_POSITION: std::copy(s.raster.window, s.raster.window + 4, values); return;
        case GL_CURRENT_COLOR: std::copy(s.current, s.current + 4, values); return;
        default: unsupported("such float to read back");
    }
}

void GLAPIENTRY glGetBooleanv(GLenum name, GLboolean* values) {
    if (name != GL_CURRENT_RASTER_POSITION_VALID) return unsupported("such flag to read back");
    *values = layer().raster.valid ? GL_TRUE : GL_FALSE;
}

GLenum GLAPIENTRY glGetError() {
    const GLenum error = layer().error;
    layer().error = GL_NO_ERROR;
    return error;
}

const GLubyte* GLAPIENTRY glGetString(GLenum name) {
    if (!layer().started) return nullptr;  // no context, as with the platform's GL
    switch (name) {
        case GL_VENDOR: return reinterpret_cast<const GLubyte*>("Vanturo");
        case GL_RENDERER: return reinterpret_cast<const GLubyte*>("OpenGL 1.1 over OpenGL ES 2.0");
        case GL_VERSION: return reinterpret_cast<const GLubyte*>("1.1");
        case GL_EXTENSIONS: return reinterpret_cast<const GLubyte*>("GL_ARB_multitexture GL_ARB_texture_env_combine");
        default: recordError(GL_INVALID_ENUM); return nullptr;
    }
}

void GLAPIENTRY glReadPixels(GLint x, GLint y, GLsizei width, GLsizei height, GLenum format, GLenum type,
                             GLvoid* pixels) {
    if ((format != GL_RGB && format != GL_RGBA) || type != GL_UNSIGNED_BYTE)
        return unsupported("pixels read but RGB and RGBA bytes");
    if (width < 0 || height < 0) return recordError(GL_INVALID_VALUE);
    flushBatch();
    const LayerState& s = layer();
    // ES reads RGBA bytes, rows packed to four: those are spread into the rows the caller asked for.
    std::vector<GLubyte> rgba(size_t(width) * size_t(height) * 4);
    s.es.PixelStorei(GL_PACK_ALIGNMENT, 4);
    s.es.ReadPixels(x, y, width, height, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    s.es.PixelStorei(GL_PACK_ALIGNMENT, s.packAlignment);
    const size_t channels = format == GL_RGB ? 3 : 4, alignment = size_t(std::max(1, s.packAlignment));
    const size_t stride = (size_t(width) * channels + alignment - 1) / alignment * alignment;
    GLubyte* out = static_cast<GLubyte*>(pixels);
    for (size_t row = 0; row < size_t(height); ++row)
        for (size_t column = 0; column < size_t(width); ++column)
            std::copy_n(&rgba[(row * size_t(width) + column) * 4], channels, out + row * stride + column * channels);
}
