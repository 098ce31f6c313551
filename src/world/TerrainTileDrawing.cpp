// A tile's ground: one textured, lit quad per cell, sent as one interleaved array where the driver can.
#include <vector>

#include "common/GlExtensions.h"
#include "world/TerrainTile.h"

void TerrainTile::drawGround(std::vector<GLfloat>& corners) const {
    glBindTexture(GL_TEXTURE_2D, texture());
    const int across = width / cellSize;
    const float fw = float(width), fd = float(depth);
    const std::vector<Vector3>& normals = this->normals();
    // One quad per cell, wound counter-clockwise seen from above; the last two sample rows and columns are
    // the next tile's and are drawn by it. Each corner: s, t, normal, position (GL_T2F_N3F_V3F).
    corners.clear();
    for (int i = 0; i < width - 2 * cellSize; i += cellSize) {
        for (int j = 0; j < depth - 2 * cellSize; j += cellSize) {
            const int cell[4][2] = {{i, j}, {i, j + cellSize}, {i + cellSize, j + cellSize}, {i + cellSize, j}};
            for (const auto& corner : cell) {
                const int a = corner[0], b = corner[1];
                const int sample = (b / cellSize) * across + a / cellSize;
                const Vector3& n = normals[size_t(sample)];
                corners.insert(corners.end(), {float(a) / fw, float(b) / fd, n.x, n.y, n.z, float(originX + a),
                                               float(heightScale * heights[size_t(sample)]), float(originZ + b)});
            }
        }
    }
    const GLsizei count = GLsizei(corners.size() / 8);
    if (!arb::glClientActiveTextureARB) {
        // Without client-side texture units, corner by corner.
        glBegin(GL_QUADS);
        for (size_t k = 0; k < corners.size(); k += 8) {
            const GLfloat* c = &corners[k];
            glNormal3fv(c + 2);
            arb::glMultiTexCoord2fARB(GL_TEXTURE0_ARB, c[0], c[1]);
            arb::glMultiTexCoord2fARB(GL_TEXTURE1_ARB, c[0], c[1]);
            glVertex3fv(c + 5);
        }
        glEnd();
        return;
    }
    // The same quads from the array in one call; both units take the same coordinates. The client array
    // state is left as it was found: every array off, unit 0 the client's active one.
    glInterleavedArrays(GL_T2F_N3F_V3F, 0, corners.data());
    arb::glClientActiveTextureARB(GL_TEXTURE1_ARB);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glTexCoordPointer(2, GL_FLOAT, 8 * sizeof(GLfloat), corners.data());
    glDrawArrays(GL_QUADS, 0, count);
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    arb::glClientActiveTextureARB(GL_TEXTURE0_ARB);
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    glDisableClientState(GL_NORMAL_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
}
