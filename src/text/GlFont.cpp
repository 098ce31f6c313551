// GlFont: building the lists through the platform's font, and printing.
#include "text/GlFont.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "common/Gl.h"
#include "common/Platform.h"

namespace {
constexpr int firstCode = 32;
constexpr int codeCount = 96;
constexpr float textDistance = -5;  // in front of the eye, through the game's projection
constexpr float textX = -2.5f, textY = -2.0f;
}  // namespace

GlFont& GlFont::instance() {
    static GlFont font;
    return font;
}

GlFont::GlFont() { rebuild(); }

void GlFont::rebuild() {
    listBase = glGenLists(codeCount);
    platform::buildFontBitmaps(listBase, firstCode, codeCount);
}

GlFont::~GlFont() { glDeleteLists(listBase, codeCount); }

void GlFont::print(const char* fmt, ...) {
    if (!fmt) return;
    va_list args;
    va_start(args, fmt);
    const int written = std::vsnprintf(text_, sizeof text_, fmt, args);
    va_end(args);
    if (written < 0) text_[0] = '\0';
    drawText(textX, textY, false);
}

void GlFont::printCentred(const char* text) {
    if (!text) return;
    std::snprintf(text_, sizeof text_, "%s", text);
    drawText(0, 0, true);
}

void GlFont::drawText(float x, float y, bool centred) {
    glPushMatrix();
    glLoadIdentity();
    glDisable(GL_LIGHTING);
    glTranslatef(0, 0, textDistance);
    glColor4f(1, 1, 1, 1);

    // Bitmaps are textured like any fragment: with the last object's skin still bound the text would take
    // its colour. Texturing is off for the text only, and back as it was afterwards.
    glPushAttrib(GL_LIST_BIT | GL_ENABLE_BIT);
    glDisable(GL_TEXTURE_2D);
    glListBase(listBase - firstCode);
    const GLsizei length = GLsizei(std::strlen(text_));
    glRasterPos2f(x, y);
    if (centred) {
        // The glyphs' advances are the font's own (and differ between platforms): measure the text by
        // drawing it with every write masked, then step back half of what the raster position moved.
        GLfloat before[4], after[4];
        glGetFloatv(GL_CURRENT_RASTER_POSITION, before);
        glPushAttrib(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);
        glDepthMask(GL_FALSE);
        glCallLists(length, GL_UNSIGNED_BYTE, text_);
        glPopAttrib();
        glGetFloatv(GL_CURRENT_RASTER_POSITION, after);
        glRasterPos2f(x, y);
        glBitmap(0, 0, 0, 0, -(after[0] - before[0]) / 2, 0, nullptr);
    }
    glCallLists(length, GL_UNSIGNED_BYTE, text_);
    glPopAttrib();

    glEnable(GL_LIGHTING);
    glPopMatrix();
}
