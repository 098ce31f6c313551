// Flat shapes over the finished picture, in the window's pixels: the cue of a dropping shield, the panels
// behind our text. Nothing the world draws is changed or hidden by the depth buffer.
#pragma once

// While one lives, vertices are the viewport's pixels (0, 0 at the lower left) at depth 0, drawn unlit,
// untextured, unfogged, without the depth test, blended by their alpha and filled whatever the polygon mode.
// Its end puts back both matrices, the enables, blending, the depth mask and the polygon mode, and leaves the
// current colour white, as the heads-up line leaves it.
class WindowOverlay {
   public:
    WindowOverlay();
    ~WindowOverlay();
    WindowOverlay(const WindowOverlay&) = delete;
    WindowOverlay& operator=(const WindowOverlay&) = delete;

    int width() const { return width_; }
    int height() const { return height_; }
    // A rectangle of one colour.
    void fill(float left, float bottom, float right, float top, float r, float g, float b, float a) const;

   private:
    int width_ = 0, height_ = 0;
    int polygonMode_ = 0;
};
