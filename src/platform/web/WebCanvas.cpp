// The canvas's drawing buffer sized to the page.
#include "WebCanvas.h"

#include <emscripten/html5.h>

#include <algorithm>
#include <cmath>

#include "app/Settings.h"
#include "common/Shell.h"

namespace {
constexpr const char* canvasTarget = "#canvas";
float fittedDensity = 0;  // the pixel-density setting the canvas was last fitted with
}  // namespace

void web::fitCanvasToPage() {
    double shownWidth = 0, shownHeight = 0;
    emscripten_get_element_css_size(canvasTarget, &shownWidth, &shownHeight);
    if (!(shownWidth > 0 && shownHeight > 0)) return;  // hidden, or not laid out yet
    fittedDensity = gameSettings().decimal(SettingId::pixelDensity);
    const double ratio = std::clamp(emscripten_get_device_pixel_ratio(), 1.0, double(fittedDensity));
    const double width = shownWidth * ratio, height = shownHeight * ratio;
    const double shrink = std::min(1.0, std::sqrt(maxDrawingPixels / (width * height)));
    const int newWidth = std::max(1, int(std::lround(width * shrink)));
    const int newHeight = std::max(1, int(std::lround(height * shrink)));
    int oldWidth = 0, oldHeight = 0;
    emscripten_get_canvas_element_size(canvasTarget, &oldWidth, &oldHeight);
    if (newWidth != oldWidth || newHeight != oldHeight) shell().resizeWindow(newWidth, newHeight);
}

void web::followPixelDensity() {
    if (gameSettings().decimal(SettingId::pixelDensity) != fittedDensity) fitCanvasToPage();
}
