// What lies over the world in a frame, measured in its pixels: our words on their panels, the heads-up line on
// its band, the framed view's ship above it, and the rings on danger.

#include <cmath>

#include "Fixtures.h"
#include "Headless.h"
#include "app/Input.h"
#include "app/KeyTable.h"
#include "app/Settings.h"
#include "objects/Shot.h"

namespace {
// The relative luminance of an sRGB colour, as the web's guideline for contrast measures it.
double luminance(const unsigned char* rgb) {
    double sum = 0;
    const double weights[3] = {0.2126, 0.7152, 0.0722};
    for (int i = 0; i < 3; ++i) {
        const double c = rgb[i] / 255.0;
        sum += weights[i] * (c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4));
    }
    return sum;
}

struct Frame {
    int width, height;
    std::vector<unsigned char> rgba;
    const unsigned char* at(int x, int y) const { return &rgba[(size_t(y) * size_t(width) + size_t(x)) * 4]; }
};

Frame grab(int width, int height) {
    Frame frame{width, height, std::vector<unsigned char>(size_t(width) * size_t(height) * 4)};
    glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, frame.rgba.data());
    return frame;
}

// How far under its middle the ship reaches: its shield's bubble, drawn at a full shield 3.25 lower and half
// as large again.
constexpr double shipReachBelow = 40;

bool white(const unsigned char* p) { return p[0] == 255 && p[1] == 255 && p[2] == 255; }

// The contrast of the white text above row fromRow against the brightest pixel among its glyphs, in the box
// the text spans: what a reader's eye meets behind the letters.
double textContrast(const Frame& frame, int fromRow) {
    int left = frame.width, right = -1, bottom = frame.height, top = -1;
    for (int y = fromRow; y < frame.height; ++y)
        for (int x = 0; x < frame.width; ++x)
            if (white(frame.at(x, y))) {
                left = std::min(left, x), right = std::max(right, x);
                bottom = std::min(bottom, y), top = std::max(top, y);
            }
    if (right < 0) return 0;
    double brightest = 0;
    for (int y = bottom; y <= top; ++y)
        for (int x = left; x <= right; ++x)
            if (!white(frame.at(x, y))) brightest = std::max(brightest, luminance(frame.at(x, y)));
    return 1.05 / (brightest + 0.05);
}

// The pixels where two frames differ by more than a rounding.
int differingPixels(const Frame& a, const Frame& b) {
    int count = 0;
    for (size_t i = 0; i < a.rgba.size(); i += 4)
        for (size_t c = i; c < i + 3; ++c)
            if (std::abs(int(a.rgba[c]) - int(b.rgba[c])) > 8) {
                ++count;
                break;
            }
    return count;
}
}  // namespace

class Overlays : public GlTest {
   protected:
    // A flat level with the ship's start in the middle, heading along +z, under a sky near white: the
    // brightest any level's can be.
    void startLevel(int width = 800, int height = 600) {
        headless::destroyContext();
        ASSERT_TRUE(headless::createContext(width, height));
        resetGameState();
        ObjectMap map(64, 64);
        map.set(20, 10, 0, 1, 0, 0);
        ScopedWorkingDirectory cwd(writeLevelFolder(map));
        resizeViewport(width, height);
        ASSERT_TRUE(setupScene());
        glClearColor(0.97f, 0.97f, 0.97f, 1);
        GlFont::instance().rebuild();
    }
    static void passes(int count) {
        for (int i = 0; i < count; ++i) {
            virtualClock::advanceTick(30);
            loopPass();
        }
    }
    static void tap(int key) { onKey(key, true), onKey(key, false); }
    // The frame drawn again with the world standing still (the start's frames do not move it).
    static Frame redraw(int width, int height) {
        frameCount = 0;
        renderFrame();
        return grab(width, height);
    }
};

TEST_F(Overlays, EveryBlockOfOurWordsReadsAtFourAndAHalfToOneOverTheBrightestSkyOnItsPanel) {
    const struct {
        const char* what;
        void (*show)();
    } cases[] = {
        {"the start's hints", [] { passes(1); }},
        {"the help (F1)", [] { passes(101), tap(keyCode(KeyAction::help)), passes(2); }},
        {"the settings screen (F2)", [] { passes(101), tap(keyCode(KeyAction::settings)), passes(2); }},
        {"the paused notice", [] { passes(101), tap(keyCode(KeyAction::pause)), passes(2); }},
    };
    for (const auto& c : cases)
        for (const bool panels : {true, false}) {
            SCOPED_TRACE(std::string(c.what) + (panels ? " on a panel" : " bare"));
            startLevel();
            gameSettings().set(settingIndex(SettingId::panels), panels ? "true" : "false");
            c.show();
            const double contrast = textContrast(grab(800, 600), 100);  // above the heads-up line
            if (panels)
                EXPECT_GE(contrast, 4.5);
            else
                EXPECT_LT(contrast, 4.5);  // what the panel is for
        }
}

TEST_F(Overlays, TheFramedViewKeepsTheShipLowAndAboveTheLabelledLineAtAnySizeAndHeight) {
    const struct {
        int width, height;
    } sizes[] = {{800, 600}, {1920, 1080}, {320, 240}};
    for (const auto& size : sizes)
        for (const unsigned mouseY : {0u, 300u, 599u}) {  // the camera low, halfway and high
            SCOPED_TRACE(std::to_string(size.width) + "x" + std::to_string(size.height) + ", mouse at " +
                         std::to_string(mouseY) + " of 600");
            startLevel(size.width, size.height);
            gameSettings().set(settingIndex(SettingId::camera), "framed");
            gameSettings().set(settingIndex(SettingId::headsUp), "labelled");
            onMouseMove(unsigned(size.width / 2), unsigned(mouseY * unsigned(size.height) / 600));
            redraw(size.width, size.height);
            const GlFont::Box line = GlFont::instance().printedRow();
            // Where the ship's middle and its lowest point (the bubble's, at a full shield) land in the window.
            GLdouble view[16], projection[16];
            GLint viewport[4];
            glGetDoublev(GL_MODELVIEW_MATRIX, view);
            glGetDoublev(GL_PROJECTION_MATRIX, projection);
            glGetIntegerv(GL_VIEWPORT, viewport);
            const Ship& ship = Ship::player;
            GLdouble x = 0, middle = 0, lowest = 0, depth = 0;
            gluProject(ship.x, ship.y + Ship::drawLift, ship.z, view, projection, viewport, &x, &middle, &depth);
            gluProject(ship.x, ship.y + Ship::drawLift - shipReachBelow, ship.z, view, projection, viewport, &x,
                       &lowest, &depth);
            EXPECT_GT(lowest, line.top);                // clear of the heads-up line
            EXPECT_LT(middle, size.height / 3.0);       // in the lower third
            EXPECT_NEAR(x, size.width / 2.0, 1);        // straight ahead
            EXPECT_GT(line.right, 0.0f);                // the line is printed whole:
            EXPECT_LT(GlFont::instance().lineHeight(), size.height / 8);  // its font fits its width
        }
}

TEST_F(Overlays, DangerNearTheShipIsRingedThroughTheFogAndNothingElseIsDrawn) {
    startLevel();
    passes(101);
    tap(keyCode(KeyAction::pause));  // the world stands still between the frames compared
    passes(2);
    const auto marksMade = [] {
        gameSettings().set(settingIndex(SettingId::dangerMarks), "false");
        passes(2);  // the light is placed through the view a frame late: the frames compared share a view
        const Frame bare = grab(800, 600);
        gameSettings().set(settingIndex(SettingId::dangerMarks), "true");
        passes(1);
        return differingPixels(bare, grab(800, 600));
    };
    EXPECT_EQ(marksMade(), 0);  // no danger: the same picture
    Ship& ship = Ship::player;
    const float startZ = ship.z;
    const struct {
        float shipBack;  // the ship (and the eye with it) moved back from its start, the shot staying
        bool ringed;
    } cases[] = {{0, true}, {2000, false}};  // in the fog 1,500 from the eye; past the reach of a shot's flight
    for (const auto& c : cases) {
        SCOPED_TRACE(c.shipBack);
        auto* shot = new Shot(Vector3(ship.x, 0, startZ + 1000), Vector3(ship.x, 0, startZ));
        Level::instance().place(shot);
        ASSERT_TRUE(shot->filed);
        shot->y = ship.y + 100;
        if (c.shipBack > 0) {  // out of the world, as a ship that flew off its edge: no tile holds it
            ship.tile->remove(&ship);
            ship.z = startZ - c.shipBack;
        }
        const int ring = marksMade();
        EXPECT_EQ(ring > 20, c.ringed) << ring;
        if (c.shipBack > 0) {
            ship.z = startZ;
            Level::instance().place(&ship);
        }
        shot->tile->remove(shot);
        delete shot;
    }
}
