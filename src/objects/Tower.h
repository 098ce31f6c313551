// Tower: a stationary gun that fires a volley, one shot per target point, every fire interval.
#pragma once

#include <vector>

#include "objects/Entity.h"

class Tower : public Entity {
   public:
    // reloadCode * 250 ms between volleys; 0 fires in every updated frame.
    Tower(float x, float z, int reloadCode);

    int typeId() const override { return typeIds::tower; }
    void update() override;
    // Adds a target point on the ground at (x, z).
    void addTarget(int x, int z);

    int fireInterval;
    int fireCountdown;
    std::vector<Vector3> targets;
};
