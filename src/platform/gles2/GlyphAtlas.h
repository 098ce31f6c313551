// The heads-up font's glyphs share textures: each bitmap a display list keeps takes a place on a page, so a line
// of text is one texture and can be one draw. Pages fill in rows; a glyph too big for a page gets one of its own
// size. A page is let go when the last glyph on it is, as when the font is built again for a new window width.
#pragma once

#include <vector>

#include "platform/gles2/EsFunctions.h"

namespace gles2 {

class GlyphAtlas {
   public:
    static constexpr int defaultPageSize = 512;  // texels a side: every ES 2.0 device can hold it

    // Pages of pageSize texels a side at least; 0 gives each glyph a page of just its size.
    GlyphAtlas() = default;
    explicit GlyphAtlas(int pageSize) : pageSize_(pageSize) {}

    // Where a glyph lies: its page and its corners in the page's texture coordinates.
    struct Place {
        GLuint page = 0;
        float s0 = 0, t0 = 0, s1 = 1, t1 = 1;
    };

    // Puts the glyph's coverage (width * height bytes, rows from the bottom) on a page. Leaves unit 0 active, the
    // page bound and the unpack alignment at 1: the caller puts back the game's.
    Place add(const EsFunctions& es, int width, int height, const GLubyte* alpha);
    // One glyph on this page is gone; the page goes with its last.
    void release(const EsFunctions& es, GLuint page);

   private:
    struct Page {
        GLuint texture = 0;
        int width = 0, height = 0;
        int x = 0, y = 0, rowHeight = 0;  // where the next glyph goes, and the tallest in its row
        int glyphs = 0;
    };
    Page& pageWithRoom(const EsFunctions& es, int width, int height);

    int pageSize_ = defaultPageSize;
    std::vector<Page> pages_;  // the last is the one being filled
};

}  // namespace gles2
