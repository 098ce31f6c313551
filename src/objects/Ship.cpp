// Ship: steering, motion, the slope rule, and drawing with the heads-up line and the shield bubble.
#include "objects/Ship.h"

#include <cmath>
#include <cstdio>

#include "common/GameMath.h"
#include "common/Gl.h"
#include "common/FrameClock.h"
#include "common/Units.h"
#include "text/GlFont.h"
#include "view/WindowOverlay.h"
#include "world/Level.h"
#include "world/LevelFormat.h"
#include "world/TerrainTile.h"

namespace {

// The heads-up line printed over every frame, and the same values in words.
const char* const hudFormat = "Shield: %d    %3.0f fps  deg: %3.0f  rot: %1.4f  delta: %3.0f  h: %0.2f";
const char* const labelledHudFormat = "Shield %d   %.0f fps   slope %.0f   turn %+.2f   frame %.0f ms   height %.0f";
constexpr float hudBandAlpha = 0.45f;  // the band dims what lies behind the line, and still shows it
constexpr float heightJump = 10;  // ground differences up to this are ridden out on gentle slopes
// Ground tilted over 30 degrees, which the ship follows exactly: a slope reading under 150, that is a normal
// whose y is above this float. Tested on the normal because acos, like sinf, differs between C libraries in
// the last bit, and a demo must replay the same everywhere.
constexpr float steepNormalY = -0x1.bb67aep-1f;
constexpr float maxBank = -80;  // degrees of bank per unit of steer
}  // namespace

Ship Ship::player;

Ship::Ship() { useModel(modelOf(typeIds::ship)); }

void Ship::reset() {
    x = y = z = heading = 0;
    id = 0;
    tile = nullptr;
    filed = false;
    steer = 0;
    shield = fullShield;
    hasStart_ = false;
    startX_ = startZ_ = startHeading_ = 0;
    hudFrame_ = -1;
}

void Ship::setStart(float startX, float startZ, float startHeading) {
    hasStart_ = true;
    startX_ = startX;
    startZ_ = startZ;
    startHeading_ = startHeading;
}

void Ship::returnToStart() {
    if (filed && tile) tile->remove(this);  // never in two lists
    x = startX_;
    z = startZ_;
    heading = startHeading_;
    shield = fullShield;
    Level::instance().place(this);
}

void Ship::beginDraw() {
    model->loadTextures();  // the ship was built before the context: its textures arrive now
    model->applyMaterial();
}

void Ship::update() {
    heading = heading + steer * turnRate * frameTime * perFrameUnit;
    moveToX(x + gameSin(heading * degreesToRadians) * frameTime * speed * perFrameUnit);
    moveToZ(z + gameCos(heading * degreesToRadians) * frameTime * speed * perFrameUnit);
}

void Ship::moveToX(float newX) {
    x = newX;
    afterMove();
}

void Ship::moveToZ(float newZ) {
    z = newZ;
    afterMove();
}

void Ship::afterMove() {
    refileIfOutside();
    const float g = groundHeight(x, z);
    if (!filed) {
        y = g;  // dropped from the world: no tile to read a slope from, and nothing will move it again
        return;
    }
    followGround(g);
}

float Ship::slopeUnder() const {
    if (!filed || !tile) return 0;
    const Vector3 n = tile->normalAt(int(x), int(z));
    return float(std::acos(double(n.y)) * radiansToDegrees);
}

void Ship::followGround(float g) {
    if (g - y > heightJump || y - g > heightJump) {
        y = g;
        return;
    }
    if (!filed || !tile || tile->normalAt(int(x), int(z)).y > steepNormalY) y = g;
}

void Ship::printHud() const {
    // A frame shorter than the tick counter's resolution reads as 0 ms; the rate then shows the highest
    // the counter can tell (1000) instead of infinity.
    const double fps = 1000.0f / (frameDuration > 1 ? frameDuration : 1.0f);
    GlFont& font = GlFont::instance();
    const char* const format = hudLook.labelled ? labelledHudFormat : hudFormat;
    // The font is sized so the line fits the window whole, with the widest values it usually shows.
    char widest[GlFont::textCapacity];
    std::snprintf(widest, sizeof widest, format, fullShield, 1000.0, 180.0, -0.5, 1000.0, 999.0);
    font.fitLine(widest);
    if (hudLook.band) {
        const GlFont::Box row = font.printedRow();
        WindowOverlay().fill(row.left, row.bottom, row.right, row.top, 0, 0, 0, hudBandAlpha);
    }
    font.print(format, shield, fps, double(slopeUnder()), double(steer), double(frameDuration), double(y));
    hudFrame_ = frameCount;
}

bool Ship::hudPrintedThisFrame() const { return hudFrame_ == frameCount; }

void Ship::draw() {
    if (!hudLook.band) printHud();  // on a band it is printed after the world

    glPushMatrix();
    glTranslatef(x, y + drawLift, z);
    glRotatef(heading, 0, 1, 0);
    glRotatef(steer * maxBank, 0, 0, 1);
    model->render();

    glPushMatrix();
    glColor4f(1, 1, 0, 0.3f);
    glEnable(GL_BLEND);
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    glTranslatef(0, float(shield) * 0.01f * -3.25f, 0);
    const float s = float(shield) * 0.01f * 0.5f + 1;
    glScalef(s, s, s);
    model->render();
    glEnable(GL_LIGHTING);
    glEnable(GL_TEXTURE_2D);
    glDisable(GL_BLEND);
    glPopMatrix();

    glPopMatrix();
}
