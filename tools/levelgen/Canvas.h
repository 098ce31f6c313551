// Canvas: a picture painted top row first, stored as a TGA bottom row first (the usual origin).
#pragma once

#include <algorithm>
#include <string>
#include <vector>

#include "TgaWriter.h"

struct Colour {
    double r, g, b, a = 255;
};

inline Colour mix(Colour a, Colour b, double t) {
    t = std::clamp(t, 0.0, 1.0);
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t, a.a + (b.a - a.a) * t};
}
inline Colour shade(Colour c, double f) { return {c.r * f, c.g * f, c.b * f, c.a}; }

class Canvas {
   public:
    Canvas(int width, int height) : width_(width), height_(height), pixels_(size_t(width) * size_t(height) * 4) {}
    int width() const { return width_; }
    int height() const { return height_; }

    void set(int x, int y, Colour c) {
        unsigned char* p = &pixels_[(size_t(y) * size_t(width_) + size_t(x)) * 4];
        p[0] = clampByte(c.b);
        p[1] = clampByte(c.g);
        p[2] = clampByte(c.r);
        p[3] = clampByte(c.a);
    }
    // Paints every pixel with f(x, y), x and y in [0, 1) from the top-left.
    template <typename F>
    void paint(F f) {
        for (int y = 0; y < height_; ++y)
            for (int x = 0; x < width_; ++x) set(x, y, f(double(x) / width_, double(y) / height_));
    }

    bool save(const std::string& path, int bytesPerPixel = 4) const {
        std::vector<unsigned char> out;
        out.reserve(size_t(width_) * size_t(height_) * size_t(bytesPerPixel));
        for (int y = height_ - 1; y >= 0; --y)
            for (int x = 0; x < width_; ++x) {
                const unsigned char* p = &pixels_[(size_t(y) * size_t(width_) + size_t(x)) * 4];
                out.insert(out.end(), p, p + bytesPerPixel);
            }
        return writeTga(path, width_, height_, bytesPerPixel, out);
    }

   private:
    static unsigned char clampByte(double v) { return static_cast<unsigned char>(std::clamp(v, 0.0, 255.0) + 0.5); }
    int width_, height_;
    std::vector<unsigned char> pixels_;
};
