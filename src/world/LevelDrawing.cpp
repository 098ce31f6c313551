// Terrain drawing: the ground of every tile in view, colour texture on unit 0 and doubled detail on unit 1,
// then the entities of the same tiles.
#include <chrono>

#include "common/ShellState.h"
#include "view/Camera.h"
#include "world/Level.h"

namespace {
double millisecondsSince(std::chrono::steady_clock::time_point start) {
    glFinish();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}
}  // namespace

void Level::draw() {
    if (profiling_) glFinish();
    auto passStart = std::chrono::steady_clock::now();
    // The material GL starts with: it undoes whatever the entities left in the previous frame.
    const GLfloat ambient[4] = {0.2f, 0.2f, 0.2f, 1}, diffuse[4] = {0.8f, 0.8f, 0.8f, 1};
    const GLfloat black[4] = {0, 0, 0, 1};
    glMaterialfv(GL_FRONT, GL_AMBIENT, ambient);
    glMaterialfv(GL_FRONT, GL_DIFFUSE, diffuse);
    glMaterialfv(GL_FRONT, GL_SPECULAR, black);
    glMaterialfv(GL_FRONT, GL_EMISSION, black);
    glMaterialf(GL_FRONT, GL_SHININESS, 0);

    // Unit 1 multiplies the detail texel with unit 0's result and doubles it: mid grey keeps the colour.
    arb::glActiveTextureARB(GL_TEXTURE1_ARB);
    glEnable(GL_TEXTURE_2D);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_COMBINE_ARB);
    glTexEnvi(GL_TEXTURE_ENV, GL_RGB_SCALE_ARB, 2);
    glBindTexture(GL_TEXTURE_2D, detailTexture);
    arb::glActiveTextureARB(GL_TEXTURE0_ARB);
    glEnable(GL_TEXTURE_2D);
    glColor3f(1, 1, 1);

    const Frustum& frustum = Camera::instance().frustum;
    tilesDrawn_ = 0;
    visible_.resize(tiles_.size());
    for (size_t i = 0; i < tiles_.size(); ++i) {
        const TerrainTile& tile = *tiles_[i];
        visible_[i] = frustum.boxVisible(tile.minCorner(), tile.maxCorner());
        if (!visible_[i]) continue;
        tile.drawGround();
        ++tilesDrawn_;
    }

    arb::glActiveTextureARB(GL_TEXTURE1_ARB);
    glDisable(GL_TEXTURE_2D);
    arb::glActiveTextureARB(GL_TEXTURE0_ARB);
    glDisable(GL_TEXTURE_2D);
    if (profiling_) {
        costs_.groundMs = millisecondsSince(passStart);
        passStart = std::chrono::steady_clock::now();
    }

    for (size_t i = 0; i < tiles_.size(); ++i) {
        if (visible_[i]) tiles_[i]->drawEntities();
    }
    if (profiling_) costs_.entitiesMs = millisecondsSince(passStart);
}

void TerrainTile::drawGround() const {
    glBindTexture(GL_TEXTURE_2D, texture);
    glBegin(GL_QUADS);
    const int across = width / cellSize;
    const float fw = float(width), fd = float(depth);
    const std::vector<Vector3>& normals = this->normals();
    // One quad per cell, wound counter-clockwise seen from above; the last two sample rows and columns are
    // the next tile's and are drawn by it.
    for (int i = 0; i < width - 2 * cellSize; i += cellSize) {
        for (int j = 0; j < depth - 2 * cellSize; j += cellSize) {
            const int corners[4][2] = {{i, j}, {i, j + cellSize}, {i + cellSize, j + cellSize}, {i + cellSize, j}};
            for (const auto& corner : corners) {
                const int a = corner[0], b = corner[1];
                const int sample = (b / cellSize) * across + a / cellSize;
                const Vector3& n = normals[size_t(sample)];
                glNormal3f(n.x, n.y, n.z);
                const float s = float(a) / fw, t = float(b) / fd;
                arb::glMultiTexCoord2fARB(GL_TEXTURE0_ARB, s, t);
                arb::glMultiTexCoord2fARB(GL_TEXTURE1_ARB, s, t);
                glVertex3i(originX + a, 2 * heights[size_t(sample)], originZ + b);
            }
        }
    }
    glEnd();
}
