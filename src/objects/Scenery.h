// Scenery: trees, rocks, mushrooms and plants, small rocks; a random model variant and heading each.
#pragma once

#include "objects/Entity.h"

class Scenery : public Entity {
   public:
    // Takes two numbers from the game's generator: the variant first, then the heading.
    Scenery(int kind, float x, float z);

    int typeId() const override { return kind; }
    void beginDraw() override;
    void endDraw() override;
    void update() override {}

    int kind;  // 2 tree, 3 rock, 4 mushroom or plant, 5 small rock

    // The model file of a kind for a 15-bit random value, or null for a kind without models.
    static const char* modelFile(int kind, int randomValue);
};
