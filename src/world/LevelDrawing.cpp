// The level's drawing: the ground of every tile in view, colour texture on unit 0 and doubled detail on unit
// 1, then the entities of the same tiles.
#include <algorithm>
#include <chrono>
#include <cmath>

#include "common/GlExtensions.h"
#include "common/SceneTextures.h"
#include "view/Camera.h"
#include "world/Level.h"

namespace {

// How far beyond the frustum a tile's box may lie and still pass the box test, which rejects a box only when
// it lies wholly outside one plane: a box near a corner of the frustum can touch every plane's inside
// without touching the frustum. Four tiles: twice a box's largest diagonal, with room to spare.
constexpr float looseReach = 4 * tileSpan;

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

    // Only the tiles under the frustum's footprint can pass the box test: the rest of a large world is not
    // even looked at. They are tested row by row, in the order of the list, as a test of every tile would.
    const Frustum& frustum = Camera::instance().frustum;
    int firstColumn = 0, lastColumn = tileColumns_ - 1, firstRow = 0, lastRow = tileRows_ - 1;
    float minX, maxX, minZ, maxZ;
    if (frustum.footprint(minX, maxX, minZ, maxZ)) {
        // A tile reaches a cell past its own span (its overlap), so the one before the footprint counts too.
        const auto span = [](float at) { return int(std::clamp(std::floor(at / tileSpan), -1.0f, 65536.0f)); };
        firstColumn = std::max(firstColumn, span(minX - looseReach) - 1);
        lastColumn = std::min(lastColumn, span(maxX + looseReach));
        firstRow = std::max(firstRow, span(minZ - looseReach) - 1);
        lastRow = std::min(lastRow, span(maxZ + looseReach));
    }
    visible_.clear();
    for (int r = firstRow; r <= lastRow; ++r) {
        for (int c = firstColumn; c <= lastColumn; ++c) {
            const size_t i = size_t(r) * size_t(tileColumns_) + size_t(c);
            const TerrainTile& tile = *tiles_[i];
            if (!frustum.boxVisible(tile.minCorner(), tile.maxCorner())) continue;
            tile.drawGround(groundCorners_);
            visible_.push_back(i);
        }
    }
    tilesDrawn_ = int(visible_.size());

    arb::glActiveTextureARB(GL_TEXTURE1_ARB);
    glDisable(GL_TEXTURE_2D);
    arb::glActiveTextureARB(GL_TEXTURE0_ARB);
    glDisable(GL_TEXTURE_2D);
    if (profiling_) {
        costs_.groundMs = millisecondsSince(passStart);
        passStart = std::chrono::steady_clock::now();
    }

    for (size_t i : visible_) tiles_[i]->drawEntities();
    if (profiling_) costs_.entitiesMs = millisecondsSince(passStart);
}
