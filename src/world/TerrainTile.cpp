// TerrainTile: construction, normals and the height queries.
#include "world/TerrainTile.h"

#include <algorithm>
#include <cmath>

TerrainTile::TerrainTile(const unsigned char* heightBytes, int count, GLuint texture_, int firstColumn, int firstRow,
                         int samplesAcross, int samplesDown)
    : heights(heightBytes, heightBytes + count),
      texture(texture_),
      originX(cellSize * firstColumn),
      originZ(cellSize * firstRow),
      width(cellSize * samplesAcross),
      depth(cellSize * samplesDown) {
    boundsMin = Vector3(float(originX), 0, float(originZ));
    boundsMax = Vector3(float(originX + width), 0, float(originZ + depth));
    for (unsigned char h : heights) {
        boundsMin.y = std::min(boundsMin.y, float(2 * h));
        boundsMax.y = std::max(boundsMax.y, float(2 * h));
    }
}

TerrainTile::~TerrainTile() = default;

const std::vector<Vector3>& TerrainTile::normals() const {
    if (!normals_.empty()) return normals_;
    const int across = width / cellSize, down = depth / cellSize;
    normals_.assign(heights.size(), Vector3(0, 0, 0));
    auto H = [&](int c, int r) { return 2 * int(heights[size_t(r * across + c)]); };
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

int TerrainTile::heightAt(int x, int z) const { return 2 * heights[size_t(sampleIndex(x, z))]; }

Vector3 TerrainTile::normalAt(int x, int z) const { return normals()[size_t(sampleIndex(x, z))]; }
