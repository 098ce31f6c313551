// GlFont: the HUD font as 96 bitmap display lists (codes 32 to 127), and printf-style text near the
// lower-left corner of the window.
#pragma once

#include <cstddef>
#include <string>

class GlFont {
   public:
    // Built on first use, which must come with the GL context current; its lists are deleted at exit.
    static GlFont& instance();
    virtual ~GlFont();
    GlFont(const GlFont&) = delete;
    GlFont& operator=(const GlFont&) = delete;

    // Formats like printf and draws the text in white. Text past 255 characters is cut. Leaves lighting on.
    void print(const char* fmt, ...)
#if defined(__GNUC__)
        __attribute__((format(printf, 2, 3)))
#endif
        ;

    // Draws text in white, centred across the window and line lines below the middle (above it when
    // negative). Text past 255 characters is cut. Leaves lighting on.
    void printCentred(const char* text, int line = 0);
    // The pixels from one line of printCentred to the next.
    int lineHeight() const;

    // Sizes the font for the current viewport: the usual 24 pixels when widest fits across the window from
    // where print starts (with as much room again at the right), the largest size at which it fits when
    // not. Rebuilds the lists only when the viewport's width or the widest line has changed since the last call.
    void fitLine(const char* widest);
    static constexpr int usualPixelSize = 24;

    // Where text stands in the window's pixels, with a margin about it: what a panel behind it must cover.
    struct Box {
        float left = 0, bottom = 0, right = 0, top = 0;
    };
    // Of printCentred(text, line).
    Box centredBox(const char* text, int line) const;
    // Of print's line, across the whole viewport.
    Box printedRow() const;

    // Builds the lists again in the current context (for tools and tests that start a new GL context).
    void rebuild();

    // What the last print formatted (for the heads-up line's checks).
    const char* lastText() const { return text_; }

    unsigned listBase = 0;  // the list of code c is listBase + c - 32
    static constexpr size_t textCapacity = 256;

   private:
    GlFont();
    // Draws text_ from the raster position of (x, y) in the text plane, shifted left by half its width
    // when centred, and down by line lines.
    void drawText(float x, float y, bool centred, int line);
    // How far text moves the raster position, in pixels, drawn with every write masked; and where the
    // raster position of (x, y) lies in the window (-1 when outside the view).
    float measure(const char* text) const;
    float windowX(float x, float y) const;
    // The raster position of (x, y) in the window; false when outside the view.
    bool windowAt(float x, float y, float& atX, float& atY) const;
    // Where print's line starts in the text plane: the game's place, or, in a window too narrow (a phone held
    // upright), just inside its left edge.
    float lineStart() const;
    // The rows a line of glyphs whose baseline is at y takes, with the margin.
    Box rowAt(float y) const;

    char text_[textCapacity] = {};
    int pixelSize_ = usualPixelSize;
    int fittedWidth_ = -1;     // the viewport the size was chosen for
    int fittedHeight_ = -1;
    std::string fittedLine_;  // and the line
};
