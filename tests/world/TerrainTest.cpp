// The terrain picture cut into tiles: sample counts, overlap, heights, normals and boxes.

#include "Fixtures.h"

class TerrainTest : public GlTest {
   protected:
    void load(int w, int h, std::function<int(int, int)> height) { ASSERT_TRUE(loadTestTerrain(w, h, height)); }
};

TEST_F(TerrainTest, A64PixelPictureGives16TilesInRowMajorOrderWithOverlappingSamples) {
    load(64, 64, [](int c, int r) { return (c * 7 + r * 3) % 256; });
    const auto& tiles = Level::instance().tiles();
    ASSERT_EQ(tiles.size(), 16u);
    for (int i = 0; i < 16; ++i) {
        const TerrainTile& t = *tiles[size_t(i)];
        const bool lastColumn = i % 4 == 3, lastRow = i / 4 == 3;
        EXPECT_EQ(t.originX, 384 * (i % 4));
        EXPECT_EQ(t.originZ, 384 * (i / 4));
        EXPECT_EQ(t.width, lastColumn ? 384 : 432);
        EXPECT_EQ(t.depth, lastRow ? 384 : 432);
        EXPECT_EQ(t.heights.size(), size_t(t.width / 24 * t.depth / 24));
    }
    // The second tile's first sample is the first tile's sample 16: neighbours agree on their border.
    const TerrainTile& first = *tiles[0];
    EXPECT_EQ(first.heights[16], tiles[1]->heights[0]);
    EXPECT_EQ(first.heightAt(384, 0), 2 * ((16 * 7) % 256));
    EXPECT_EQ(first.heightAt(24 * 17, 24 * 17), 2 * ((17 * 7 + 17 * 3) % 256));
    // The box reaches up to the highest sample; its floor stays at 0.
    int highest = 0;
    for (unsigned char h : first.heights) highest = std::max(highest, 2 * int(h));
    EXPECT_TRUE(closeTo(first.minCorner(), Vector3(0, 0, 0), 0));
    EXPECT_TRUE(closeTo(first.maxCorner(), Vector3(432, float(highest), 432), 0));
}

TEST_F(TerrainTest, FilingAreasIncludeBothEndsAndTheFirstTileInListOrderWins) {
    load(16, 16, [](int c, int) { return c; });
    Level& level = Level::instance();
    EXPECT_EQ(level.heightAt(360, 0), 30);  // sample (15, 0)
    EXPECT_EQ(level.heightAt(361, 0), 0);   // past the last tile's area
    EXPECT_EQ(level.heightAt(-1, 0), 0);

    load(32, 32, [](int c, int) { return c; });
    // Both tiles contain x = 390; the first in the list answers with its sample 16.
    EXPECT_EQ(level.tileAt(390, 0), level.tiles()[0].get());
    EXPECT_EQ(level.heightAt(390, 0), 32);
    EXPECT_EQ(level.tileAt(409, 0), level.tiles()[1].get());
}

TEST_F(TerrainTest, PicturesThatAreNotWholeTilesOrHaveNoHeightChannel) {
    load(200, 20, [](int, int) { return 1; });
    EXPECT_EQ(Level::instance().tiles().size(), 12u);  // columns 192 to 199 are not used
    Level::instance().place(&Ship::player);
    ASSERT_TRUE(Ship::player.filed);
    load(15, 40, [](int, int) { return 1; });
    EXPECT_TRUE(Level::instance().tiles().empty());
    EXPECT_FALSE(Ship::player.filed);  // its tile went with the old terrain

    Level::instance().clear();
    const std::string dir = makeTempDir();
    ASSERT_TRUE(writeTga(dir + "/rgb.tga", 32, 32, 3, std::vector<unsigned char>(32 * 32 * 3, 9)));
    // A picture that is there but refused says so, naming itself; a missing one is the game's usual empty world.
    for (const char* name : {"/rgb.tga", "/missing.tga"}) {
        testing::internal::CaptureStderr();
        EXPECT_FALSE(Level::instance().loadTerrain((dir + name).c_str()));
        const std::string said = testing::internal::GetCapturedStderr();
        EXPECT_EQ(said.empty(), std::string(name) == "/missing.tga") << said;
        if (!said.empty()) {
            EXPECT_NE(said.find("rgb.tga: a 24-bit picture has no heights"), std::string::npos) << said;
        }
    }
    EXPECT_TRUE(Level::instance().tiles().empty());
    EXPECT_EQ(groundHeight(100, 100), 0.0f);
}

TEST_F(TerrainTest, NormalsPointDownAndTiltWithTheSlope) {
    // A slope rising 12 units (alpha 6) per cell along x and 6 along z: normal (24*12, -576, 24*6) normalised.
    load(32, 32, [](int c, int r) { return 6 * c + 3 * r; });
    const Vector3 n = Level::instance().tiles()[0]->normalAt(48, 48);
    const double length = std::sqrt(288.0 * 288 + 576 * 576 + 144 * 144);
    EXPECT_NEAR(n.x, 288 / length, 1e-6);
    EXPECT_NEAR(n.y, -576 / length, 1e-6);
    EXPECT_NEAR(n.z, 144 / length, 1e-6);
}

TEST_F(TerrainTest, GroundHeightBlendsTwoSamplesByTheFractionsOfAUnit) {
    load(32, 32, [](int c, int r) { return c * 10 + r; });
    auto H = [](int c, int r) { return 2.0f * float(c * 10 + r); };
    EXPECT_FLOAT_EQ(groundHeight(48.0f, 24.0f), H(2, 1));
    EXPECT_FLOAT_EQ(groundHeight(70.5f, 24.0f), 0.25f * H(3, 1) + 0.75f * H(2, 1));
    EXPECT_FLOAT_EQ(groundHeight(48.0f, 42.5f), 0.25f * H(2, 2) + 0.75f * H(2, 1));  // along z, into the next row
}
