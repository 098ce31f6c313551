// Ship: the player's craft. Flies forward all the time, turns with the mouse, hugs the ground, and carries
// the shield that shots and fireballs wear down.
#pragma once

#include "objects/Entity.h"

class Ship : public Entity {
   public:
    // The one ship, built before the window and the GL context exist.
    static Ship player;

    int typeId() const override { return typeIds::ship; }
    void beginDraw() override;
    void draw() override;  // heads-up line, ship, shield bubble
    void endDraw() override {}
    void update() override;

    void moveToX(float newX);
    void moveToZ(float newZ);
    // Keeps the height over gentle ground until it differs by more than 10; follows steep ground exactly.
    void followGround(float g);
    // Slope under the ship in degrees, read from the tile normals (180 on level ground).
    float slopeUnder() const;

    static constexpr float drawLift = 20;  // the model flies this far above the stored height
    float speed = 12.0f;     // units per 30 ms
    float turnRate = 10.0f;  // degrees per 30 ms at steer 1
    float steer = 0.0f;      // from the mouse: 0.5 at the left edge, 0 in the middle
    static constexpr int fullShield = 100;
    int shield = fullShield;

    // Puts back the values of a freshly started game (for tools and tests that run several games).
    void reset();

    // Where the object map's start pixel puts the ship, and its heading there.
    void setStart(float startX, float startZ, float startHeading);
    bool hasStart() const { return hasStart_; }
    // To the start with a full shield, filed there (never in two lists): the first flight, and every new
    // one after leaving the world.
    void returnToStart();
    // How the heads-up line looks: the player's settings, given before each frame is drawn.
    struct HudLook {
        bool labelled = false;  // in words a player reads ("Shield 78   16 fps ...") instead of the classic line
        bool band = false;      // on a dark band, printed after the world so that nothing covers it
    };
    HudLook hudLook;
    // The heads-up line: shield, frame rate, slope, steering, frame time, height.
    void printHud() const;
    // Whether printHud has run in the frame being drawn.
    bool hudPrintedThisFrame() const;

   private:
    Ship();
    void afterMove();

    bool hasStart_ = false;  // whether the level gave the ship a start
    float startX_ = 0, startZ_ = 0, startHeading_ = 0;
    mutable int hudFrame_ = -1;  // the frame count when the heads-up line was last printed
};
