// Small files for tests: pictures and models built with our writers.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "Ms3dWriter.h"

// A 32-bit terrain picture of w by h pixels whose alpha is height(c, r) and colour is grey.
template <typename HeightFn>
std::vector<unsigned char> terrainPixels(int w, int h, HeightFn height) {
    std::vector<unsigned char> pixels(size_t(w) * size_t(h) * 4);
    for (int r = 0; r < h; ++r)
        for (int c = 0; c < w; ++c) {
            unsigned char* p = &pixels[(size_t(r) * w + c) * 4];
            p[0] = p[1] = p[2] = 128;
            p[3] = static_cast<unsigned char>(height(c, r));
        }
    return pixels;
}

// A flat terrain of w by h pixels at alpha a, written to path.
void writeFlatTerrain(const std::string& path, int w, int h, int alpha);

// Writes a terrain of w by h pixels with alpha height(c, r) to a fresh folder and loads it into the Level.
bool loadTestTerrain(int w, int h, const std::function<int(int, int)>& height);
inline bool loadFlatTerrain(int w, int h, int alpha) {
    return loadTestTerrain(w, h, [alpha](int, int) { return alpha; });
}

// A one-triangle model with one material that names textureFile (possibly empty).
Ms3dContent oneTriangleModel(const std::string& textureFile = "");

// An object map of w by h pixels, all zero but the pixels set through set(c, r, b, g, r, a).
struct ObjectMap {
    int width, height;
    std::vector<unsigned char> pixels;
    ObjectMap(int w, int h) : width(w), height(h), pixels(size_t(w) * size_t(h) * 4) {}
    void set(int c, int r, int towerCode, int objectCode, int targetCode, int parameter) {
        unsigned char* p = &pixels[(size_t(r) * width + c) * 4];
        p[0] = static_cast<unsigned char>(towerCode);
        p[1] = static_cast<unsigned char>(objectCode);
        p[2] = static_cast<unsigned char>(targetCode);
        p[3] = static_cast<unsigned char>(parameter);
    }
    void write(const std::string& path) const;
};
