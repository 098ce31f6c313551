// The HUD font: formatting, the 255-character cut, and white text on screen where the line belongs.
#include "Fixtures.h"

class GlFontTest : public GlTest {
   protected:
    void SetUp() override {
        GlTest::SetUp();
        GlFont::instance().rebuild();  // the font may have been built in an earlier test's context
        resizeViewport(800, 600);
    }
};

TEST_F(GlFontTest, FormatsTheHeadsUpLineAndCutsLongText) {
    // The ship's state as the line shows it: no ground under it, a 16 ms frame.
    GlFont& font = GlFont::instance();
    Level::instance().clear();
    Ship& ship = Ship::player;
    ship.shield = 70;
    ship.steer = -0.25f;
    ship.y = 24;
    frameDuration = 16;
    ship.printHud();
    EXPECT_STREQ(font.lastText(), "Shield: 70     62 fps  deg:   0  rot: -0.2500  delta:  16  h: 24.00");
    font.print("%s", std::string(400, 'x').c_str());
    EXPECT_EQ(std::string(font.lastText()), std::string(255, 'x'));
    font.print(nullptr);  // nothing at all
}

TEST_F(GlFontTest, DrawsWhiteTextNearTheBottomLeftCorner) {
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    // A dark red texture bound and enabled, as the ship's skin is when it prints the line: the text stays white.
    bindTexel(90, 0, 0);
    GlFont::instance().print("Shield: %d", 100);
    const BrightPixels text = brightPixels(200);
    EXPECT_GT(text.count, 100);  // glyphs, starting about 38 pixels in and 10 up
    EXPECT_NEAR(text.left, 38, 10);
    EXPECT_LT(text.right, 300);
    EXPECT_LT(text.top, 40);
    // Each character draws its own glyph: a line of dots lights far fewer pixels than a line of Ws.
    glClear(GL_COLOR_BUFFER_BIT);
    GlFont::instance().print("..........");
    const int dots = brightPixels(200).count;
    glClear(GL_COLOR_BUFFER_BIT);
    GlFont::instance().print("WWWWWWWWWW");
    EXPECT_LT(4 * dots, brightPixels(200).count) << dots << " pixels of dots";
}
