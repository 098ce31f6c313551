// Our own words over the view, on a panel.
#include "app/OverlayText.h"

#include <algorithm>

#include "app/Settings.h"
#include "text/GlFont.h"
#include "view/WindowOverlay.h"

namespace {
// Black at this opacity leaves whatever lies behind at most 40 % of its brightness: white text over it keeps
// a contrast of 5.7 to 1 even over a white sky (the web's guideline for text asks 4.5).
constexpr float panelAlpha = 0.6f;
}  // namespace

void printOverlayLines(const std::vector<std::string>& lines, int firstLine) {
    GlFont& font = GlFont::instance();
    if (lines.empty()) return;
    if (gameSettings().on(SettingId::panels)) {
        GlFont::Box panel = font.centredBox(lines[0].c_str(), firstLine);
        for (size_t i = 1; i < lines.size(); ++i) {
            const GlFont::Box box = font.centredBox(lines[i].c_str(), firstLine + int(i));
            panel.left = std::min(panel.left, box.left);
            panel.right = std::max(panel.right, box.right);
            panel.bottom = std::min(panel.bottom, box.bottom);
            panel.top = std::max(panel.top, box.top);
        }
        WindowOverlay().fill(panel.left, panel.bottom, panel.right, panel.top, 0, 0, 0, panelAlpha);
    }
    int line = firstLine;
    for (const std::string& text : lines) font.printCentred(text.c_str(), line++);
}
