// The HUD font on systems without GDI: Fontconfig finds bold "Courier New" (or the closest bold monospace),
// FreeType renders each glyph monochrome at the size asked for into a glBitmap display list.
#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <string>
#include <vector>

#include "common/Gl.h"
#include "FreeTypeFont.h"

namespace {

// The font file Fontconfig picks for a pattern, or an empty string.
std::string matchFontFile(const char* pattern, int& faceIndex) {
    std::string file;
    FcConfig* config = FcInitLoadConfigAndFonts();
    if (!config) return file;
    FcPattern* wanted = FcNameParse(reinterpret_cast<const FcChar8*>(pattern));
    if (wanted) {
        FcConfigSubstitute(config, wanted, FcMatchPattern);
        FcDefaultSubstitute(wanted);
        FcResult result = FcResultNoMatch;
        FcPattern* found = FcFontMatch(config, wanted, &result);
        if (found) {
            FcChar8* path = nullptr;
            int index = 0;
            if (FcPatternGetString(found, FC_FILE, 0, &path) == FcResultMatch && path) {
                file = reinterpret_cast<const char*>(path);
                if (FcPatternGetInteger(found, FC_INDEX, 0, &index) == FcResultMatch) faceIndex = index;
            }
            FcPatternDestroy(found);
        }
        FcPatternDestroy(wanted);
    }
    FcConfigDestroy(config);
    return file;
}

// Compiles one glyph as a bitmap list: rows flipped to GL's bottom-up order, origin at the pen position.
void compileGlyph(FT_Face face, unsigned list, int code) {
    glNewList(list, GL_COMPILE);
    if (FT_Load_Char(face, FT_ULong(code), FT_LOAD_RENDER | FT_LOAD_TARGET_MONO | FT_LOAD_MONOCHROME) == 0) {
        const FT_GlyphSlot g = face->glyph;
        const FT_Bitmap& bitmap = g->bitmap;
        const int rowBytes = (int(bitmap.width) + 7) / 8;
        std::vector<GLubyte> rows(size_t(rowBytes) * bitmap.rows);
        for (unsigned r = 0; r < bitmap.rows; ++r) {
            const unsigned char* src = bitmap.buffer + int(r) * bitmap.pitch;
            std::copy(src, src + rowBytes, &rows[size_t(bitmap.rows - 1 - r) * size_t(rowBytes)]);
        }
        glBitmap(GLsizei(bitmap.width), GLsizei(bitmap.rows), GLfloat(-g->bitmap_left),
                 GLfloat(int(bitmap.rows) - g->bitmap_top), GLfloat(g->advance.x) / 64.0f, 0,
                 rows.empty() ? nullptr : rows.data());
    }
    glEndList();
}

}  // namespace

bool freetype::buildFontBitmaps(unsigned listBase, int first, int count, int pixelHeight) {
    // Asked of Fontconfig once: the font is built again at another size whenever the window's width asks.
    static int faceIndex = 0;
    static const std::string file = [] {
        std::string found = matchFontFile("Courier New:bold", faceIndex);
        return found.empty() ? matchFontFile("monospace:bold", faceIndex) : found;
    }();
    if (file.empty()) return false;

    FT_Library library = nullptr;
    if (FT_Init_FreeType(&library) != 0) return false;
    FT_Face face = nullptr;
    bool built = false;
    if (FT_New_Face(library, file.c_str(), faceIndex, &face) == 0) {
        if (FT_Set_Pixel_Sizes(face, 0, FT_UInt(pixelHeight)) == 0) {
            GLint previousAlignment = 4;
            glGetIntegerv(GL_UNPACK_ALIGNMENT, &previousAlignment);
            glPixelStorei(GL_UNPACK_ALIGNMENT, 1);  // glyph rows are packed to the byte
            for (int i = 0; i < count; ++i) compileGlyph(face, listBase + unsigned(i), first + i);
            glPixelStorei(GL_UNPACK_ALIGNMENT, previousAlignment);
            built = true;
        }
        FT_Done_Face(face);
    }
    FT_Done_FreeType(library);
    return built;
}
