// The heads-up font rasterised by the browser: Canvas 2D text, bold "Courier New" or the page's monospace.
#pragma once

namespace web {

// Compiles the glyph bitmaps as the shell seam's buildFontBitmaps does: each list a glBitmap at the pen
// position, advancing by the glyph's width. False when the page has no 2D canvas.
bool buildFontBitmaps(unsigned listBase, int first, int count, int pixelHeight);

}  // namespace web
