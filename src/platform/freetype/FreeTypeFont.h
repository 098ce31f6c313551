// The HUD font through Fontconfig and FreeType, for every shell but Win32.
#pragma once

namespace freetype {
// The shell's buildFontBitmaps (common/Shell.h): bold "Courier New", or the closest bold monospace.
bool buildFontBitmaps(unsigned listBase, int first, int count, int pixelHeight);
}  // namespace freetype
