// TerrainTile: construction, normals and the height queries.
#include "world/TerrainTile.h"

#include <cmath>

TerrainTile::TerrainTile(const unsigned char* heightBytes, int count, GLuint texture_, int firstColumn, int firstRow,
                         int samplesAcross, int samplesDown)
    : normals(size_t(count), Vector3(0, 0, 0)),
      heights(heightBytes, heightBytes + count),
      texture(texture_),
      originX(cellSize * firstColumn),
      originZ(cellSize * firstRow),
      width(cellSize * samplesAcross),
      depth(cellSize * samplesDown) {
    boundsMin = Vector3(float(originX), 0, float(originZ));
    boundsMax = Vector3(float(originX + width), 0, float(originZ + depth));
    computeNormals();
}

TerrainTile::~TerrainTile() = default;

void TerrainTile::computeNormals() {
    const int across = width / cellSize, down = depth / cellSize;
    auto H = [&](int c, int r) { return 2 * int(heights[size_t(r * across + c)]); };
    for (int r = 0; r < down; ++r) {
        for (int c = 0; c < across; ++c) {
            const int h = H(c, r);
            if (float(h) < boundsMin.y) boundsMin.y = float(h);
            if (float(h) > boundsMax.y) boundsMax.y = float(h);
            if (c >= across - 1 || r >= down - 1) continue;
            // The step right (24, dx, 0) crossed with the step forward (0, dz, 24): -y on flat ground.
            const double dx = H(c + 1, r) - h, dz = H(c, r + 1) - h;
            const double length = std::sqrt((24 * dx) * (24 * dx) + (24 * dz) * (24 * dz) + 331776.0);
            normals[size_t(r * across + c)] =
                Vector3(float(24 * dx / length), float(-576 / length), float(24 * dz / length));
        }
    }
}

bool TerrainTile::contains(float x, float z) const {
    return float(originX) <= x && x <= float(originX + width - cellSize) && float(originZ) <= z &&
           z <= float(originZ + depth - cellSize);
}

int TerrainTile::heightAt(int x, int z) const { return 2 * heights[size_t(sampleIndex(x, z))]; }

Vector3 TerrainTile::normalAt(int x, int z) const { return normals[size_t(sampleIndex(x, z))]; }
