// GlFont: building the lists through the platform's font, and printing.
#include "text/GlFont.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "common/Gl.h"
#include "common/Shell.h"

namespace {
constexpr int firstCode = 32;
constexpr int codeCount = 96;
constexpr float textDistance = -5;  // in front of the eye, through the game's projection
constexpr float textX = -2.5f, textY = -2.0f;
constexpr float narrowStart = 0.98f;  // in a window too narrow for textX, the line starts this far out of its half
constexpr int minimumPixelSize = 6;  // smaller is not text any more; the line of a 320-pixel window needs it
constexpr int lineSpacing(int pixels) { return pixels * 5 / 4; }
// A glyph's reach from its baseline, and the margin a box leaves about the text, in font pixels.
constexpr float ascent = 0.8f, descent = 0.25f, margin = 0.3f;
}  // namespace

GlFont& GlFont::instance() {
    static GlFont font;
    return font;
}

GlFont::GlFont() { rebuild(); }

void GlFont::rebuild() {
    if (listBase != 0) glDeleteLists(listBase, codeCount);
    listBase = glGenLists(codeCount);
    shell().buildFontBitmaps(listBase, firstCode, codeCount, pixelSize_);
}

void GlFont::fitLine(const char* widest) {
    GLint viewport[4] = {};
    glGetIntegerv(GL_VIEWPORT, viewport);
    if (!widest || (viewport[2] == fittedWidth_ && viewport[3] == fittedHeight_ && fittedLine_ == widest) ||
        viewport[2] <= 0)
        return;
    fittedWidth_ = viewport[2];
    fittedHeight_ = viewport[3];
    fittedLine_ = widest;
    // Monospaced, the line's width follows the size: work out the size, then step down until it fits.
    const float left = windowX(lineStart(), textY) - float(viewport[0]);
    const float room = float(viewport[2]) - 2 * left;
    if (left < 0 || room <= 0) return;
    if (pixelSize_ != usualPixelSize) {
        pixelSize_ = usualPixelSize;
        rebuild();
    }
    const float width = measure(widest);
    if (width > room) {
        pixelSize_ = std::max(minimumPixelSize, int(float(usualPixelSize) * room / width));
        rebuild();
        while (pixelSize_ > minimumPixelSize && measure(widest) > room) {
            --pixelSize_;
            rebuild();
        }
    }
}

GlFont::~GlFont() { glDeleteLists(listBase, codeCount); }

void GlFont::print(const char* fmt, ...) {
    if (!fmt) return;
    va_list args;
    va_start(args, fmt);
    const int written = std::vsnprintf(text_, sizeof text_, fmt, args);
    va_end(args);
    if (written < 0) text_[0] = '\0';
    drawText(lineStart(), textY, false, 0);
}

int GlFont::lineHeight() const { return lineSpacing(pixelSize_); }

void GlFont::printCentred(const char* text, int line) {
    if (!text) return;
    std::snprintf(text_, sizeof text_, "%s", text);
    drawText(0, 0, true, line);
}

namespace {

// The text plane: in front of the eye with the game's projection, unlit, untextured (a bitmap is textured
// like any fragment: with the last object's skin still bound the text would take its colour). Both undone
// by leaveTextPlane.
void enterTextPlane() {
    glPushMatrix();
    glLoadIdentity();
    glPushAttrib(GL_LIST_BIT | GL_ENABLE_BIT);
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    glTranslatef(0, 0, textDistance);
}

void leaveTextPlane() {
    glPopAttrib();
    glEnable(GL_LIGHTING);
    glPopMatrix();
}

float rasterX() {
    GLfloat position[4];
    glGetFloatv(GL_CURRENT_RASTER_POSITION, position);
    return position[0];
}

}  // namespace

bool GlFont::windowAt(float x, float y, float& atX, float& atY) const {
    enterTextPlane();
    glRasterPos2f(x, y);
    GLboolean valid = GL_FALSE;
    glGetBooleanv(GL_CURRENT_RASTER_POSITION_VALID, &valid);
    GLfloat position[4] = {-1, -1, 0, 0};
    if (valid) glGetFloatv(GL_CURRENT_RASTER_POSITION, position);
    leaveTextPlane();
    atX = position[0];
    atY = position[1];
    return valid != GL_FALSE;
}

float GlFont::lineStart() const {
    // The text plane's half width is its distance over the projection's x scale.
    GLfloat projection[16] = {};
    glGetFloatv(GL_PROJECTION_MATRIX, projection);
    if (!(projection[0] > 0)) return textX;
    return std::max(textX, textDistance / projection[0] * narrowStart);
}

float GlFont::windowX(float x, float y) const {
    float atX = -1, atY = -1;
    return windowAt(x, y, atX, atY) ? atX : -1;
}

GlFont::Box GlFont::rowAt(float y) const {
    const float size = float(pixelSize_);
    return {0, y - (descent + margin) * size, 0, y + (ascent + margin) * size};
}

GlFont::Box GlFont::centredBox(const char* text, int line) const {
    float middleX = 0, baseline = 0;
    if (!text || !windowAt(0, 0, middleX, baseline)) return {};
    GLint viewport[4] = {};
    glGetIntegerv(GL_VIEWPORT, viewport);
    middleX -= float(viewport[0]);
    Box box = rowAt(baseline - float(viewport[1]) - float(line * lineSpacing(pixelSize_)));
    const float half = measure(text) / 2 + margin * float(pixelSize_);
    box.left = middleX - half;
    box.right = middleX + half;
    return box;
}

GlFont::Box GlFont::printedRow() const {
    float x = 0, baseline = 0;
    if (!windowAt(lineStart(), textY, x, baseline)) return {};
    GLint viewport[4] = {};
    glGetIntegerv(GL_VIEWPORT, viewport);
    Box box = rowAt(baseline - float(viewport[1]));
    box.right = float(viewport[2]);
    return box;
}

float GlFont::measure(const char* text) const {
    enterTextPlane();
    glListBase(listBase - firstCode);
    glRasterPos2f(0, 0);
    const float before = rasterX();
    glPushAttrib(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);
    glDepthMask(GL_FALSE);
    glCallLists(GLsizei(std::strlen(text)), GL_UNSIGNED_BYTE, text);
    glPopAttrib();
    const float width = rasterX() - before;
    leaveTextPlane();
    return width;
}

void GlFont::drawText(float x, float y, bool centred, int line) {
    // The glyphs' advances are the font's own (and differ between platforms): a centred line is measured
    // first, then started half its width to the left.
    const float shift = centred ? -measure(text_) / 2 : 0;
    enterTextPlane();
    glColor4f(1, 1, 1, 1);
    glListBase(listBase - firstCode);
    glRasterPos2f(x, y);
    glBitmap(0, 0, 0, 0, shift, -float(line * lineSpacing(pixelSize_)), nullptr);
    glCallLists(GLsizei(std::strlen(text_)), GL_UNSIGNED_BYTE, text_);
    leaveTextPlane();
}
