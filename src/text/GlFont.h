// GlFont: the HUD font as 96 bitmap display lists (codes 32 to 127), and printf-style text near the
// lower-left corner of the window.
#pragma once

#include <cstddef>

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

    // Draws text in white, centred across the window and halfway up it. Text past 255 characters is cut.
    // Leaves lighting on.
    void printCentred(const char* text);

    // Builds the lists again in the current context (for tools and tests that start a new GL context).
    void rebuild();

    // What the last print formatted (for the heads-up line's checks).
    const char* lastText() const { return text_; }

    unsigned listBase = 0;  // the list of code c is listBase + c - 32
    static constexpr size_t textCapacity = 256;

   private:
    GlFont();
    // Draws text_ from the raster position of (x, y) in the text plane, shifted left by half its width
    // when centred.
    void drawText(float x, float y, bool centred);
    char text_[textCapacity] = {};
};
