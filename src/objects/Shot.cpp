// Shot: homing step plus lift, the ship test, and the burst that leaves an explosion behind.
#include "objects/Shot.h"

#include <cmath>

#include "common/Gl.h"
#include "common/FrameClock.h"
#include "common/Units.h"
#include "objects/Explosion.h"
#include "objects/Ship.h"
#include "objects/WorldEvents.h"
#include "world/LevelFormat.h"
#include "world/TerrainTile.h"

namespace {
constexpr float launchHeight = 150;
constexpr float lift = 9.82f;   // per 30 ms: scaled like every other speed, so arcs keep their shape at any rate
constexpr float hitReach = 35;  // half-width of the box around the ship in which a shot hits it
constexpr int hitDamage = 10;
constexpr float glowScale = 1.2f;
int shotsAlive = 0;
}  // namespace

Shot::Shot(Vector3 start, Vector3 targetPoint) : target(targetPoint) {
    useModel(modelOf(typeIds::shot));
    x = start.x;
    y = start.y;
    z = start.z;
    ++shotsAlive;
}

Shot::~Shot() { --shotsAlive; }

int Shot::liveCount() { return shotsAlive; }

void Shot::beginDraw() {
    glColor4f(1, 0.5f, 0, 0.5f);
    glEnable(GL_BLEND);
    model->applyMaterial();
}

void Shot::draw() {
    glPushMatrix();
    glTranslatef(x, y, z);
    model->render();
    glPushMatrix();
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    glScalef(glowScale, glowScale, glowScale);
    model->render();
    glEnable(GL_LIGHTING);
    glEnable(GL_TEXTURE_2D);
    glPopMatrix();
    glPopMatrix();
}

void Shot::endDraw() { glDisable(GL_BLEND); }

void Shot::update() {
    if (fresh) {
        fresh = false;
        y += launchHeight;
    }
    const Vector3 here(x, y, z);
    const Vector3 d = target - here;
    const float length = std::sqrt(d.x * d.x + d.y * d.y + d.z * d.z);
    // Exactly on the target point there is no direction to step in.
    const Vector3 step = length > 0 ? (d / length) * (frameTime * speed * perFrameUnit) : Vector3(0, 0, 0);
    const Vector3 rise(0, lift * frameTime * perFrameUnit, 0);
    setPosition(here + step + rise);

    // The tests follow the move even when it carried the shot out of the world: a shot that overshoots the
    // edge at its target's height still bursts there.
    const Ship& ship = Ship::player;
    if (x + hitReach > ship.x && x - hitReach < ship.x) {
        if (y + hitReach > ship.y && y - hitReach < ship.y && z + hitReach > ship.z && z - hitReach < ship.z) {
            burst(true);
            return;
        }
        // Close along x: the target height is not tested in this update.
    } else if (target.y + 1 >= y) {
        burst(false);
        return;
    }
    if (!filed) delete this;  // left the world without bursting: never drawn or updated again
}

void Shot::burst(bool hitShip) {
    // The explosion goes into the shot's own tile, the last that held it if it has just left the world;
    // filing stands it on the ground.
    TerrainTile* here = tile;
    raiseWorldEvent(hitShip ? WorldEvent::shipHit : WorldEvent::burst, Vector3(x, y, z));
    here->add(new Explosion(Vector3(x, y, z)));
    if (filed) here->remove(this);
    delete this;
    if (hitShip) Ship::player.shield -= hitDamage;
}
