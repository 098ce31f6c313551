// Glyphs drawn by the browser into a 2D canvas at the size asked (pixelHeight pixels to the em, the rule of
// the other shells), cut to their set pixels, made monochrome, and compiled as bitmap lists.
#include "WebFont.h"

#include <emscripten.h>

#include <vector>

#include "common/Gl.h"

namespace {

// A glyph's box is at most this many em sizes on a side.
constexpr int canvasEms = 3;

// Draws the character into a scratch canvas and writes into header: width, height, left (from the pen to
// the box), top (from the baseline up to the box's top) and the advance in 64ths of a pixel; and into bits the
// box's rows from the bottom, each from the high bit, packed to the byte. Returns 0 without a 2D canvas.
// The page's JavaScript, as the browser reads it: kept from the C++ formatter.
// clang-format off
EM_JS(int, rasteriseGlyph, (int code, int pixelHeight, int* header, unsigned char* bits, int bitsSize), {
    const size = pixelHeight * 3;
    let canvas = Module.vanturoGlyphCanvas;
    if (!canvas) canvas = Module.vanturoGlyphCanvas = document.createElement("canvas");
    canvas.width = size;
    canvas.height = size;
    const context = canvas.getContext("2d", {willReadFrequently: true});
    if (!context) return 0;
    context.clearRect(0, 0, size, size);
    context.font = "bold " + pixelHeight + "px \"Courier New\", \"Liberation Mono\", monospace";
    context.textBaseline = "alphabetic";
    context.fillStyle = "#fff";
    const penX = pixelHeight, baseline = 2 * pixelHeight;
    const text = String.fromCharCode(code);
    context.fillText(text, penX, baseline);
    const advance = context.measureText(text).width;
    const pixels = context.getImageData(0, 0, size, size).data;
    let left = size, right = -1, top = size, bottom = -1;
    for (let y = 0; y < size; ++y)
        for (let x = 0; x < size; ++x)
            if (pixels[(y * size + x) * 4 + 3] >= 128) {
                left = Math.min(left, x); right = Math.max(right, x);
                top = Math.min(top, y); bottom = Math.max(bottom, y);
            }
    const width = right < 0 ? 0 : right - left + 1, height = right < 0 ? 0 : bottom - top + 1;
    const rowBytes = (width + 7) >> 3;
    if (rowBytes * height > bitsSize) return 0;
    HEAPU8.fill(0, bits, bits + rowBytes * height);
    for (let row = 0; row < height; ++row) {
        const y = bottom - row;  // the bitmap's rows go up from its bottom
        for (let x = 0; x < width; ++x)
            if (pixels[(y * size + left + x) * 4 + 3] >= 128) HEAPU8[bits + row * rowBytes + (x >> 3)] |= 0x80 >> (x & 7);
    }
    HEAP32[(header >> 2) + 0] = width;
    HEAP32[(header >> 2) + 1] = height;
    HEAP32[(header >> 2) + 2] = right < 0 ? 0 : left - penX;
    HEAP32[(header >> 2) + 3] = right < 0 ? 0 : baseline - top;
    HEAP32[(header >> 2) + 4] = Math.round(advance * 64);
    return 1;
});
// clang-format on

}  // namespace

bool web::buildFontBitmaps(unsigned listBase, int first, int count, int pixelHeight) {
    const int side = pixelHeight * canvasEms;
    std::vector<unsigned char> bits(size_t((side + 7) / 8) * size_t(side));
    GLint previousAlignment = 4;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &previousAlignment);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);  // rows packed to the byte
    bool built = true;
    for (int i = 0; i < count && built; ++i) {
        int header[5] = {};
        built = rasteriseGlyph(first + i, pixelHeight, header, bits.data(), int(bits.size())) != 0;
        const auto [width, height, left, top, advance] = header;
        glNewList(listBase + unsigned(i), GL_COMPILE);
        glBitmap(width, height, GLfloat(-left), GLfloat(height - top), GLfloat(advance) / 64, 0,
                 width > 0 ? bits.data() : nullptr);
        glEndList();
    }
    glPixelStorei(GL_UNPACK_ALIGNMENT, previousAlignment);
    return built;
}
