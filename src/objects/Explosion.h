// Explosion: the fireball a shot leaves: three nested translucent shells that grow and hurt the ship.
#pragma once

#include "objects/Entity.h"

class Explosion : public Entity {
   public:
    explicit Explosion(Vector3 position);

    int typeId() const override { return typeIds::explosion; }
    void beginDraw() override;
    void draw() override;
    void endDraw() override;
    void update() override;

    int size = 0;      // half-width of the cube in which it hurts; scale of the outer shell
    float growth = 0;  // size before truncation, so growth does not depend on the frame rate
};
