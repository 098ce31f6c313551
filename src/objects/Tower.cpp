// Tower: countdown and volley.
#include "objects/Tower.h"

#include "common/FrameClock.h"
#include "objects/Shot.h"
#include "objects/WorldEvents.h"
#include "world/Level.h"
#include "world/LevelFormat.h"

Tower::Tower(float x_, float z_, int reloadCode) : fireInterval(reloadCode * 1000 / 4), fireCountdown(fireInterval) {
    useModel(modelOf(typeIds::tower));
    x = x_;
    z = z_;
}

void Tower::addTarget(int tx, int tz) {
    const int ty = Level::instance().heightAt(tx, tz);
    targets.push_back(Vector3(float(tx), float(ty), float(tz)));
}

void Tower::update() {
    fireCountdown = int(float(fireCountdown) - frameTime);
    if (fireCountdown > 0) return;
    fireCountdown = fireInterval;  // what the countdown overshot is dropped
    Level& level = Level::instance();
    if (!targets.empty()) raiseWorldEvent(WorldEvent::volley, Vector3(x, y, z));
    for (const Vector3& target : targets) {
        if (Shot::liveCount() >= Shot::maxLive) break;  // the rest of the volley is not fired
        Shot* shot = new Shot(Vector3(x, y, z), target);
        level.place(shot);
        if (!shot->filed) delete shot;  // fired from outside the world: it could never fly
    }
}
