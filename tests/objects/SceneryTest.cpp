// Scenery: its model variant and heading from the generator, and its two-sided, blended drawing.
#include "Fixtures.h"
#include "common/GameRandom.h"
#include "objects/Scenery.h"

TEST(Scenery, TakesItsVariantThenItsHeadingFromTheGeneratorSplittingTheFifteenBitRangeEvenly) {
    EXPECT_STREQ(Scenery::modelFile(typeIds::tree, 10922), "data/models/tree1.ms3d");
    EXPECT_STREQ(Scenery::modelFile(typeIds::tree, 10923), "data/models/tree2.ms3d");
    EXPECT_STREQ(Scenery::modelFile(typeIds::plant, 32767), "data/models/plant2.ms3d");  // the index never reaches n
    EXPECT_EQ(Scenery::modelFile(typeIds::tower, 100), nullptr);
    gameSrand(1);  // the classic generator seeded with 1: 41, then 18467, then 6334
    Scenery tree(typeIds::tree, 6, 0);
    EXPECT_NEAR(tree.heading, 202.89f, 0.01f);  // 18467 of 32767 of a turn
    EXPECT_EQ(gameRand(), 6334);                // exactly two numbers were taken
}

class SceneryDrawing : public GlTest {};

TEST_F(SceneryDrawing, TreesBlendTwoSidedAndPutTheStateBack) {
    Scenery tree(typeIds::tree, 0, 0);
    tree.beginDraw();
    EXPECT_TRUE(glIsEnabled(GL_BLEND) && !glIsEnabled(GL_CULL_FACE));
    tree.endDraw();
    EXPECT_TRUE(!glIsEnabled(GL_BLEND) && glIsEnabled(GL_CULL_FACE));
}
