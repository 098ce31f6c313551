// The HUD font: formatting, the 255-character cut, the state print leaves, and white text on screen.
#include "text/GlFont.h"

#include <gtest/gtest.h>

#include <string>

#include "GlTest.h"
#include "app/Game.h"
#include "objects/Ship.h"

class GlFontTest : public GlTest {
   protected:
    void SetUp() override {
        GlTest::SetUp();
        GlFont::instance().rebuild();  // the font may have been built in an earlier test's context
        resizeViewport(800, 600);
    }
};

TEST_F(GlFontTest, FormatsTheHeadsUpLineWithItsSixValues) {
    GlFont& font = GlFont::instance();
    font.print(hudFormat, 70, 62.5, 180.0, -0.25, 16.0, 24.0);
    EXPECT_STREQ(font.lastText(), "Shield: 70     62 fps  deg: 180  rot: -0.2500  delta:  16  h: 24.00");
}

TEST_F(GlFontTest, CutsLongTextAndLeavesLightingOnAndTheMatrixAlone) {
    GlFont& font = GlFont::instance();
    glDisable(GL_LIGHTING);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glTranslatef(1, 2, 3);
    font.print("%s", std::string(400, 'x').c_str());
    EXPECT_EQ(std::string(font.lastText()).size(), 255u);
    EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
    float m[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, m);
    EXPECT_EQ(m[12], 1);
    EXPECT_EQ(m[13], 2);

    glDisable(GL_LIGHTING);
    font.print(nullptr);  // nothing at all, lighting untouched
    EXPECT_FALSE(glIsEnabled(GL_LIGHTING));
    font.print("%s", "");
    EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

TEST_F(GlFontTest, DrawsWhiteTextNearTheBottomLeftCorner) {
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    // A dark red texture bound and enabled, as the ship's skin is when it prints the line: the text stays white.
    GLuint red;
    glGenTextures(1, &red);
    glBindTexture(GL_TEXTURE_2D, red);
    const unsigned char texel[3] = {90, 0, 0};
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, 1, 1, 0, GL_RGB, GL_UNSIGNED_BYTE, texel);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glEnable(GL_TEXTURE_2D);
    GlFont::instance().print("Shield: %d", 100);
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
    const std::vector<unsigned char> frame = readFrame();
    int white = 0, elsewhere = 0;
    for (int y = 0; y < 600; ++y)
        for (int x = 0; x < 800; ++x) {
            const unsigned char* p = &frame[(size_t(y) * 800 + x) * 4];
            if (p[0] > 200 && p[1] > 200 && p[2] > 200) (x < 300 && y < 40 ? white : elsewhere)++;
        }
    EXPECT_GT(white, 100);  // glyphs, about 38 pixels in and 10 up
    EXPECT_EQ(elsewhere, 0);
}
