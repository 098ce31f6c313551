// The whole frame driver on a crafted level: a tower's stream of shots crosses the ship's path.
#include "Fixtures.h"
#include "Headless.h"
#include "app/Game.h"
#include "common/ShellState.h"
#include "objects/Ship.h"

class VolleyIntegration : public GlTest {};

TEST_F(VolleyIntegration, ATowersVolleysWearTheShieldDownAndTheirShotsAndFireballsEnd) {
    const std::string dir = makeTempDir();
    ASSERT_EQ(system(("mkdir -p " + dir + "/data").c_str()), 0);
    writeFlatTerrain(dir + "/data/level1.tga", 64, 64, 10);
    ObjectMap map(64, 64);
    map.set(8, 2, 0, 1, 0, 0);    // the ship starts at (198, 48) heading along +z
    map.set(20, 10, 5, 0, 0, 0);  // a tower firing in every updated frame (reload code 0)
    map.set(8, 32, 0, 0, 5, 0);   // its target: on the ship's path, 60 updates ahead
    map.write(dir + "/data/level1objects.tga");
    ScopedWorkingDirectory cwd(dir);
    resizeViewport(800, 600);
    ASSERT_TRUE(setupScene());
    ASSERT_EQ(Level::instance().entityCount(6), 1);

    Level& level = Level::instance();
    int mostShots = 0, mostExplosions = 0, firstDamage = 0;
    for (int frame = 1; frame <= 300; ++frame) {
        headless::advanceTick(30);
        ASSERT_FALSE(loopPass());
        mostShots = std::max(mostShots, level.entityCount(7));
        mostExplosions = std::max(mostExplosions, level.entityCount(9));
        if (!firstDamage && Ship::player.shield < 100) firstDamage = frame;
        if (frame <= 100) {
            ASSERT_EQ(level.entityCount(7), 0);  // nothing fires before the updates start
        }
    }
    // The ship reaches the target area about 60 updates in, when the fireballs there are already burning.
    EXPECT_GT(firstDamage, 150);
    EXPECT_LT(firstDamage, 175);
    EXPECT_LT(Ship::player.shield, 90);
    EXPECT_FALSE(Ship::player.filed);  // it has flown off the small world by now
    // One shot a frame, each arcing for about five seconds; fewer alive than were fired, so they do end.
    EXPECT_GT(mostShots, 100);
    EXPECT_LT(mostShots, 190);
    // Then one fireball each, living 32 updates.
    EXPECT_GT(mostExplosions, 20);
    EXPECT_LE(mostExplosions, 34);
}
