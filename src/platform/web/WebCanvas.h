// The canvas fills the page: its drawing buffer follows the size the page shows it at, times the screen's
// pixel ratio, within two caps that keep a phone's dense screen from tripling the pixels each frame fills: the
// pixel-density setting (screen pixels for each of the page's) and a 1080p screen's pixels.
#pragma once

namespace web {

// The most pixels the drawing buffer holds: a 1920 by 1080 screen's. Larger, both sides shrink alike.
constexpr double maxDrawingPixels = 1920.0 * 1080.0;

// Sizes the drawing buffer to the canvas's shown size and the pixel ratio, within the caps, and the game's view
// with it (the mouse read against the new size). Nothing happens while the size stays.
void fitCanvasToPage();
// Fits the canvas again when the pixel-density setting changed since the last fit; called every pass.
void followPixelDensity();

}  // namespace web
