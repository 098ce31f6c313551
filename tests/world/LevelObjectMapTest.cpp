// The object map: each byte's role and position, the start, towers and targets, and a map over its budgets.
#include <sstream>

#include "Fixtures.h"
#include "objects/Scenery.h"

class ObjectMapTest : public GlTest {
   protected:
    void SetUp() override {
        GlTest::SetUp();
        dir_ = makeTempDir();
        ASSERT_TRUE(loadFlatTerrain(32, 32, 10));
    }
    bool load(const ObjectMap& map) {
        map.write(dir_ + "/o.tga");
        return Level::instance().loadObjectMap((dir_ + "/o.tga").c_str());
    }
    std::string dir_;
};

TEST_F(ObjectMapTest, SceneryAndTheStartSitAtTheirBytesPositionAndASecondStartMovesTheShip) {
    ObjectMap map(32, 32);
    map.set(10, 5, 0, 3, 0, 0);
    map.set(11, 5, 0, 2, 0, 0);  // code 2 and codes from 7 make nothing
    map.set(12, 5, 0, 7, 0, 0);
    map.set(1, 1, 0, 6, 0, 99);
    ASSERT_TRUE(load(map));
    const auto trees = filedEntities<Scenery>(typeIds::tree);
    ASSERT_EQ(trees.size(), 1u);
    EXPECT_TRUE(closeTo(positionOf(*trees[0]), Vector3(246, 20, 120), 0));
    EXPECT_EQ(filedEntities<Scenery>(typeIds::smallRock).size(), 1u);
    EXPECT_EQ(Level::instance().entityCount(typeIds::rock) + Level::instance().entityCount(typeIds::plant), 0);
    EXPECT_FALSE(Ship::player.filed);  // no start pixel: the ship stays out of the world

    map.set(2, 3, 0, 1, 0, 255);
    ASSERT_TRUE(load(map));
    EXPECT_TRUE(Ship::player.filed);
    EXPECT_TRUE(closeTo(positionOf(Ship::player), Vector3(54, 20, 72), 0));
    EXPECT_NEAR(Ship::player.heading, 360, 1e-4);
    map.set(20, 20, 0, 1, 0, 0);  // a second start further on: the ship ends there, filed once
    ASSERT_TRUE(load(map));
    EXPECT_EQ(Ship::player.x, 486);
    EXPECT_EQ(Ship::player.heading, 0);
    EXPECT_EQ(Level::instance().entityCount(typeIds::ship), 1);
}

TEST_F(ObjectMapTest, TowersTakeEveryTargetOfTheirCodeWhereverItStands) {
    ObjectMap map(32, 32);
    map.set(3, 2, 0, 0, 7, 0);    // a target before the towers in the file
    map.set(5, 6, 7, 0, 0, 40);   // tower code 7, reload code 40
    map.set(9, 9, 7, 0, 7, 4);    // another code-7 tower, targeting its own cell too (targets aim at the middle)
    map.set(12, 12, 8, 0, 0, 0);  // a tower whose code no target carries
    map.set(0, 0, 0, 0, 9, 0);    // a target code no tower carries
    ASSERT_TRUE(load(map));
    std::ostringstream towers;
    for (const Tower* t : filedEntities<Tower>(typeIds::tower)) {
        towers << t->x << "," << t->z << " every " << t->fireInterval << ":";
        for (const Vector3& p : t->targets) towers << " " << p.x << "," << p.y << "," << p.z;
        towers << "; ";
    }
    EXPECT_EQ(towers.str(),
              "120,144 every 10000: 84,20,48 228,20,216; 216,216 every 1000: 84,20,48 228,20,216; "
              "288,288 every 0:; ");
}

TEST_F(ObjectMapTest, AMapOverItsBudgetsLoadsOnlyTheStartAndSaysWhy) {
    const struct {
        int towers, targets, scenery;  // pixels of each kind, from the first pixel on
        const char* refusal;           // what stderr names, or null when the map is within its budgets
    } cases[] = {
        {1024, 1024, 0, nullptr},  // 1,048,576 tower target points: exactly the budget
        {1025, 1024, 0, "1049600 tower target points, more than the 1048576"},
        {0, 0, 1048578, "1048577 scenery objects, more than the 1048576"},  // one pixel is the start
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.towers);
        ObjectMap map(1024, 1025);
        for (int i = 0; i < c.towers; ++i) map.set(i % 1024, i / 1024, 1, 0, 0, 0);
        for (int i = 0; i < c.targets; ++i) map.set(i % 1024, 2 + i / 1024, 0, 0, 1, 0);
        for (int i = 0; i < c.scenery; ++i) map.set(i % 1024, i / 1024, 0, 5, 0, 0);
        map.set(5, 20, 0, 1, 0, 0);  // the start
        testing::internal::CaptureStderr();
        EXPECT_EQ(load(map), c.refusal == nullptr);
        const std::string said = testing::internal::GetCapturedStderr();
        EXPECT_TRUE(Ship::player.filed);
        EXPECT_NE(said.find(c.refusal ? c.refusal : ""), std::string::npos) << said;
        // Within budget, the towers on the 32-pixel terrain; over it, nothing but the start.
        EXPECT_EQ(Level::instance().entityCount(typeIds::tower) + Level::instance().entityCount(typeIds::smallRock) > 0,
                  c.refusal == nullptr);
        Level::instance().clear();
        ASSERT_TRUE(loadFlatTerrain(32, 32, 10));
    }
    ASSERT_TRUE(writeTga(dir_ + "/rgb.tga", 32, 32, 3, std::vector<unsigned char>(32 * 32 * 3, 3)));
    testing::internal::CaptureStderr();
    EXPECT_FALSE(Level::instance().loadObjectMap((dir_ + "/rgb.tga").c_str()));  // a map needs all four bytes
    EXPECT_NE(testing::internal::GetCapturedStderr().find("rgb.tga: a 24-bit picture"), std::string::npos);
}
