// Glyph pages: rows filled left to right, a texel of space between glyphs so that no sample reaches a neighbour.
#include "platform/gles2/GlyphAtlas.h"

#include <algorithm>

namespace gles2 {

namespace {
constexpr int gap = 1;

GLuint newTexture(const EsFunctions& es, int width, int height) {
    GLuint texture = 0;
    es.GenTextures(1, &texture);
    es.BindTexture(GL_TEXTURE_2D, texture);
    const std::vector<GLubyte> clear(size_t(width) * size_t(height), 0);
    es.PixelStorei(GL_UNPACK_ALIGNMENT, 1);
    es.TexImage2D(GL_TEXTURE_2D, 0, GL_ALPHA, width, height, 0, GL_ALPHA, GL_UNSIGNED_BYTE, clear.data());
    for (GLenum name : {GL_TEXTURE_MIN_FILTER, GL_TEXTURE_MAG_FILTER})
        es.TexParameteri(GL_TEXTURE_2D, name, GL_NEAREST);
    for (GLenum name : {GL_TEXTURE_WRAP_S, GL_TEXTURE_WRAP_T}) es.TexParameteri(GL_TEXTURE_2D, name, GL_CLAMP_TO_EDGE);
    return texture;
}
}  // namespace

GlyphAtlas::Page& GlyphAtlas::pageWithRoom(const EsFunctions& es, int width, int height) {
    if (!pages_.empty()) {
        Page& last = pages_.back();
        if (last.x + width > last.width) {  // the row is full: the next starts above its tallest glyph
            last.x = 0;
            last.y += last.rowHeight + gap;
            last.rowHeight = 0;
        }
        if (last.x + width <= last.width && last.y + height <= last.height) return last;
    }
    Page page;
    page.width = std::max(pageSize_, width);
    page.height = std::max(pageSize_, height);
    page.texture = newTexture(es, page.width, page.height);
    pages_.push_back(page);
    return pages_.back();
}

GlyphAtlas::Place GlyphAtlas::add(const EsFunctions& es, int width, int height, const GLubyte* alpha) {
    es.ActiveTexture(GL_TEXTURE0);
    Page& page = pageWithRoom(es, width, height);
    es.BindTexture(GL_TEXTURE_2D, page.texture);
    es.PixelStorei(GL_UNPACK_ALIGNMENT, 1);
    es.TexSubImage2D(GL_TEXTURE_2D, 0, page.x, page.y, width, height, GL_ALPHA, GL_UNSIGNED_BYTE, alpha);
    const float w = float(page.width), h = float(page.height);
    const Place place{page.texture, float(page.x) / w, float(page.y) / h, float(page.x + width) / w,
                      float(page.y + height) / h};
    page.x += width + gap;
    page.rowHeight = std::max(page.rowHeight, height);
    ++page.glyphs;
    return place;
}

void GlyphAtlas::release(const EsFunctions& es, GLuint texture) {
    const auto page =
        std::find_if(pages_.begin(), pages_.end(), [texture](const Page& p) { return p.texture == texture; });
    if (page == pages_.end() || --page->glyphs > 0) return;
    es.DeleteTextures(1, &page->texture);
    pages_.erase(page);
}

}  // namespace gles2
