// TerrainTile: construction, normals and the height queries.
#include "world/TerrainTile.h"

#include <algorithm>
#include <cmath>

TerrainTile::TerrainTile(const unsigned char* heightBytes, int count, const unsigned char* colour, int firstColumn,
                         int firstRow, int samplesAcross, int samplesDown)
    : heights(heightBytes, heightBytes + count),
      originX(cellSize * firstColumn),
      originZ(cellSize * firstRow),
      width(cellSize * samplesAcross),
      depth(cellSize * samplesDown),
      colour_(colour, colour + tilePixels * tilePixels * 4) {
    boundsMin = Vector3(float(originX), 0, float(originZ));
    boundsMax = Vector3(float(originX + width), 0, float(originZ + depth));
    for (unsigned char h : heights) {
        boundsMin.y = std::min(boundsMin.y, float(heightScale * h));
        boundsMax.y = std::max(boundsMax.y, float(heightScale * h));
    }
}

TerrainTile::~TerrainTile() = default;

GLuint TerrainTile::texture() const {
    if (texture_ != 0 || colour_.empty()) return texture_;
    glGenTextures(1, &texture_);
    glBindTexture(GL_TEXTURE_2D, texture_);
    glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    // Clamped: repeating would blend the far edge's texels into every tile border.
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, tilePixels, tilePixels, 0, GL_RGBA, GL_UNSIGNED_BYTE, colour_.data());
    if (texture_ != 0) std::vector<unsigned char>().swap(colour_);  // no context: try again at the next draw
    return texture_;
}

const std::vector<Vector3>& TerrainTile::normals() const {
    if (!normals_.empty()) return normals_;
    const int across = width / cellSize, down = depth / cellSize;
    normals_.assign(heights.size(), Vector3(0, 0, 0));
    auto H = [&](int c, int r) { return heightScale * int(heights[size_t(r * across + c)]); };
    for (int r = 0; r < down - 1; ++r) {
        for (int c = 0; c < across - 1; ++c) {
            const int h = H(c, r);
            // The step right (24, dx, 0) crossed with the step forward (0, dz, 24): -y on flat ground.
            const double dx = H(c + 1, r) - h, dz = H(c, r + 1) - h;
            const double length = std::sqrt((24 * dx) * (24 * dx) + (24 * dz) * (24 * dz) + 331776.0);
            normals_[size_t(r * across + c)] =
                Vector3(float(24 * dx / length), float(-576 / length), float(24 * dz / length));
        }
    }
    return normals_;
}

bool TerrainTile::contains(float x, float z) const {
    return float(originX) <= x && x <= float(originX + width - cellSize) && float(originZ) <= z &&
           z <= float(originZ + depth - cellSize);
}

int TerrainTile::heightAt(int x, int z) const { return heightScale * heights[size_t(sampleIndex(x, z))]; }

Vector3 TerrainTile::normalAt(int x, int z) const { return normals()[size_t(sampleIndex(x, z))]; }
