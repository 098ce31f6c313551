// Explosion: growth, damage inside its cube, the end, and the three shells.
#include "objects/Explosion.h"

#include "common/Gl.h"
#include "common/FrameClock.h"
#include "objects/Ship.h"
#include "objects/WorldEvents.h"
#include "world/LevelFormat.h"
#include "world/TerrainTile.h"

namespace {
constexpr float growthPerMs = 0.2f;
constexpr int endSize = 100;
}  // namespace

Explosion::Explosion(Vector3 position) {
    useModel(modelOf(typeIds::explosion));
    x = position.x;
    y = position.y;
    z = position.z;
}

void Explosion::beginDraw() {
    model->loadTextures();
    model->applyMaterial();
    glEnable(GL_BLEND);
    glDisable(GL_LIGHTING);
}

void Explosion::endDraw() {
    glEnable(GL_LIGHTING);
    glDisable(GL_BLEND);
}

void Explosion::draw() {
    glPushMatrix();
    glTranslatef(x, y, z);
    struct Shell {
        float r, g, b, a;
        int divisor;
    };
    const Shell shells[3] = {{1, 0, 0, 1, 8}, {1, 0.5f, 0, 0.7f, 3}, {1, 1, 0, 0.35f, 1}};
    for (const Shell& shell : shells) {
        glPushMatrix();
        glColor4f(shell.r, shell.g, shell.b, shell.a);
        const float k = float(size / shell.divisor);
        glScalef(k, k, k);
        model->render();
        glPopMatrix();
    }
    glPopMatrix();
}

void Explosion::update() {
    // Growth accumulates before truncation: at any frame rate a fireball grows and ends in the same time.
    growth += frameTime * growthPerMs;
    size = int(growth);
    const float s = float(size);
    Ship& ship = Ship::player;
    if (x + s > ship.x && x - s < ship.x && y + s > ship.y && y - s < ship.y && z + s > ship.z && z - s < ship.z) {
        ship.shield -= 1;
        raiseWorldEvent(WorldEvent::fireballTouch, Vector3(x, y, z));
    }
    if (size > endSize) {
        tile->remove(this);
        delete this;
    }
}
