// Shot: a glowing projectile that homes on a ground point under a constant lift and bursts into a fireball.
#pragma once

#include "objects/Entity.h"

class Shot : public Entity {
   public:
    // The most shots in flight at once: a volley creates no more while this many live.
    static constexpr int maxLive = 262144;

    Shot(Vector3 start, Vector3 targetPoint);
    ~Shot() override;
    static int liveCount();

    int typeId() const override { return typeIds::shot; }
    void beginDraw() override;
    void draw() override;
    void endDraw() override;
    void update() override;

    Vector3 target;
    float speed = 25.0f;  // homing distance per 30 ms
    bool fresh = true;    // the first update lifts the shot off the ground

   private:
    void burst(bool hitShip);
};
