// Rings on the shots and fireballs near the ship, over the world and through its fog.
#include "app/DangerMarks.h"

#include <algorithm>
#include <cmath>

#include "common/Gl.h"
#include "objects/EntityKinds.h"
#include "objects/Explosion.h"
#include "objects/Ship.h"
#include "view/Camera.h"
#include "world/Level.h"
#include "world/TerrainTile.h"

namespace {
constexpr float dangerReach = 2500;  // from the ship: about three seconds of a shot's homing
constexpr float markAngle = 0.016f;  // a shot's ring's radius per unit from the eye: about 12 pixels of 600
constexpr float ringWidth = 0.4f;    // of a shot's ring's radius: a fireball's ring is as thick, and wider
constexpr float edgeWidth = 0.12f;   // the dark edge outside the ring, of a shot's radius: it reads on the sky
constexpr float markAlpha = 0.9f;    // right at the ship; fading to half that at the reach
constexpr int ringSegments = 16;

struct Mark {
    float x, y, z;
    float radius, width, edge;  // the ring's outer radius, its width, and its dark edge's
    float r, g, b, alpha;
};

// The camera's right and up in the world, from the view as the world was drawn.
void viewAxes(float right[3], float up[3]) {
    GLfloat view[16] = {};
    glGetFloatv(GL_MODELVIEW_MATRIX, view);
    for (int i = 0; i < 3; ++i) {
        right[i] = view[i * 4];
        up[i] = view[i * 4 + 1];
    }
}

// One ring facing the eye, from inner to outer radius, in the current colour's hue at two alphas.
void ring(const Mark& m, const float right[3], const float up[3], float inner, float outer, float alphaIn,
          float alphaOut, float r, float g, float b) {
    constexpr float turn = 6.2831853f / ringSegments;
    glBegin(GL_QUADS);
    for (int i = 0; i < ringSegments; ++i) {
        const float c0 = std::cos(turn * float(i)), s0 = std::sin(turn * float(i));
        const float c1 = std::cos(turn * float(i + 1)), s1 = std::sin(turn * float(i + 1));
        const auto corner = [&](float c, float s, float radius, float alpha) {
            glColor4f(r, g, b, alpha);
            glVertex3f(m.x + (right[0] * c + up[0] * s) * radius, m.y + (right[1] * c + up[1] * s) * radius,
                       m.z + (right[2] * c + up[2] * s) * radius);
        };
        corner(c0, s0, inner, alphaIn);
        corner(c0, s0, outer, alphaOut);
        corner(c1, s1, outer, alphaOut);
        corner(c1, s1, inner, alphaIn);
    }
    glEnd();
}

void collect(const Level& level, const Ship& ship, std::vector<Mark>& marks) {
    const Vector3 eye = Camera::instance().eye;
    for (const auto& tile : level.tiles()) {
        const float nearX = std::clamp(ship.x, tile->boundsMin.x, tile->boundsMax.x);
        const float nearZ = std::clamp(ship.z, tile->boundsMin.z, tile->boundsMax.z);
        if (std::hypot(nearX - ship.x, nearZ - ship.z) > dangerReach) continue;
        for (const auto& list : tile->lists) {
            if (list->typeId != typeIds::shot && list->typeId != typeIds::explosion) continue;
            for (const EntityNode* node = list->head; node; node = node->next) {
                const Entity& e = *node->entity;
                if (!e.filed) continue;
                const float fromShip = std::hypot(e.x - ship.x, e.y - ship.y, e.z - ship.z);
                if (fromShip > dangerReach) continue;
                // The same size on the screen near or far; a fireball's ring goes round the fireball.
                const float shotRing = std::hypot(e.x - eye.x, e.y - eye.y, e.z - eye.z) * markAngle;
                const float alpha = markAlpha * (1 - 0.5f * fromShip / dangerReach);
                if (list->typeId == typeIds::explosion) {
                    const float radius = std::max(float(static_cast<const Explosion&>(e).size), shotRing);
                    marks.push_back({e.x, e.y, e.z, radius, shotRing * ringWidth, shotRing * edgeWidth, 1, 0.2f,
                                     0.1f, alpha});
                } else {
                    marks.push_back({e.x, e.y, e.z, shotRing, shotRing * ringWidth, shotRing * edgeWidth, 1, 0.85f,
                                     0.1f, alpha});
                }
            }
        }
    }
}
}  // namespace

void drawDangerMarks(const Level& level, const Ship& ship) {
    std::vector<Mark> marks;
    collect(level, ship, marks);
    if (marks.empty()) return;
    float right[3], up[3];
    viewAxes(right, up);
    glPushAttrib(GL_ENABLE_BIT | GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_FOG);
    glDisable(GL_CULL_FACE);
    glDepthMask(GL_FALSE);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    for (const Mark& m : marks) {
        ring(m, right, up, m.radius, m.radius + m.edge, m.alpha * 0.6f, 0, 0, 0, 0);  // the dark edge
        ring(m, right, up, m.radius - m.width, m.radius, m.alpha * 0.5f, m.alpha, m.r, m.g, m.b);
    }
    glPopAttrib();
    glColor4f(1, 1, 1, 1);
}
