// Filing entities in tiles, moving them across borders, and the update walk's re-entrancy.
#include "Fixtures.h"
#include "TestEntity.h"

class EntityFiling : public GlTest {
   protected:
    void SetUp() override {
        GlTest::SetUp();
        ASSERT_TRUE(loadFlatTerrain(32, 32, 10));  // 2 by 2 tiles, ground at 20
    }
    TerrainTile& tile(int i) { return *Level::instance().tiles()[size_t(i)]; }
    // The tile's lists in order, each as its type and its entities' names: "2:a,c 6:b".
    std::string lists(int i) {
        std::string out;
        for (auto& list : tile(i).lists) {
            out += (out.empty() ? "" : " ") + std::to_string(list->typeId) + ":";
            for (EntityNode* n = list->head; n; n = n->next)
                out += static_cast<TestEntity*>(n->entity)->name + (n->next ? "," : "");
        }
        return out;
    }
    // Entities made here are deleted with the level, as filed entities are at exit.
    TestEntity* make(const char* name, int type, float x, float z = 10) {
        return new TestEntity(type, x, z, &log, name);
    }
    std::vector<std::string> log;
};

TEST_F(EntityFiling, IdsCountUpPerTileNeverReusedAndListsKeepTheirOrderOfCreation) {
    Level& level = Level::instance();
    TestEntity* a = make("a", typeIds::tree, 10);
    TestEntity* c = make("c", typeIds::tree, 30);
    for (TestEntity* e : {a, make("b", typeIds::tower, 20), c, make("d", typeIds::shot, 40)}) level.place(e);
    EXPECT_EQ(lists(0), "2:a,c 6:b 7:d");
    EXPECT_EQ(c->id, 2);
    EXPECT_EQ(a->y, 20.0f);  // filing stands the entity on the ground
    EXPECT_EQ(a->tile, &tile(0));

    // Removing the head keeps the rest in order; an emptied list stays and takes the next of its type.
    tile(0).remove(a);
    EXPECT_FALSE(a->filed);
    EXPECT_EQ(lists(0), "2:c 6:b 7:d");
    tile(0).remove(c);
    level.place(a);
    EXPECT_EQ(a->id, 4);
    delete c;
    // Removing the last node and filing again: the new one follows the one now last.
    TestEntity* e = make("e", typeIds::tower, 50);
    level.place(e);
    tile(0).remove(e);
    level.place(make("f", typeIds::tower, 60));
    delete e;
    EXPECT_EQ(lists(0), "2:a 6:b,f 7:d");

    // An entity is only unlinked by the tile that holds it.
    TestEntity* g = make("g", typeIds::tree, 500);
    level.place(g);
    tile(1).remove(a);
    tile(0).remove(g);
    EXPECT_EQ(lists(0), "2:a 6:b,f 7:d");
    EXPECT_EQ(lists(1), "2:g");
}

TEST_F(EntityFiling, MovingAcrossABorderRefilesWithAFreshIdAndSetPositionKeepsItsHeight) {
    Level& level = Level::instance();
    TestEntity* e = make("e", typeIds::shot, 100, 100);
    level.place(e);
    e->setX(200);
    EXPECT_EQ(e->tile, &tile(0));             // within the tile: only x and y change
    level.place(make("other", typeIds::shot, 450, 100));  // tile 1 has handed out id 0 already
    e->setPosition(Vector3(500, 333, 100));
    EXPECT_EQ(e->tile, &tile(1));
    EXPECT_EQ(e->id, 1);
    EXPECT_EQ(e->y, 333.0f);
    EXPECT_EQ(lists(0), "7:");
    EXPECT_EQ(lists(1), "7:other,e");

    // Out of the world: dropped from every tile, its tile left pointing at the last one.
    e->setPosition(Vector3(5000, 10, 100));
    EXPECT_FALSE(e->filed);
    EXPECT_EQ(e->tile, &tile(1));
    EXPECT_EQ(lists(1), "7:other");
    // Moving again from out there takes nothing out of the tile it last stood in.
    e->setPosition(Vector3(5100, 10, 100));
    EXPECT_EQ(lists(1), "7:other");
    delete e;
    TestEntity outside(2, -10, 0);
    level.place(&outside);
    EXPECT_FALSE(outside.filed);
    EXPECT_EQ(outside.tile, nullptr);
}

TEST_F(EntityFiling, TheWalkSurvivesSelfRemovalAndReachesEntitiesFiledDuringIt) {
    TestEntity* shot = make("shot", typeIds::shot, 10);
    TestEntity* next = make("next", typeIds::shot, 20);
    // Like a shot bursting: files a new entity of a new type in its own tile, then unlinks and deletes itself.
    shot->onUpdate = [&](TestEntity& self) {
        self.tile->add(make("explosion", typeIds::explosion, self.x, self.z));
        self.tile->remove(&self);
        delete &self;
    };
    Level::instance().place(shot);
    Level::instance().place(next);
    Level::instance().update();
    // The explosion's list came after the walked one, so it was reached this frame.
    EXPECT_EQ(log, (std::vector<std::string>{"shot:update", "next:update", "explosion:update"}));
}

TEST_F(EntityFiling, TheWalkMeetsAMoverAgainInALaterTileButNotInAnEarlierOneAndPassesStillTiles) {
    ASSERT_TRUE(loadFlatTerrain(160, 160, 10));  // 10 by 10 tiles of 384 units; most hold nothing that moves
    Level& level = Level::instance();
    auto at = [](int column, int row) { return Vector3(384.0f * float(column) + 100, 20, 384.0f * float(row) + 50); };
    TestEntity* ahead = make("ahead", typeIds::shot, at(2, 1).x, at(2, 1).z);      // jumps to a later tile, row 5
    TestEntity* back = make("back", typeIds::shot, at(7, 8).x, at(7, 8).z);        // jumps to an earlier tile, row 0
    TestEntity* spawner = make("spawner", typeIds::tower, at(4, 3).x, at(4, 3).z);  // files a mover behind and one ahead
    bool moved = false;
    ahead->onUpdate = [&](TestEntity& self) {
        if (!moved) self.setPosition(at(6, 5));
        moved = true;
    };
    back->onUpdate = [&](TestEntity& self) { self.setPosition(at(3, 0)); };
    spawner->onUpdate = [&](TestEntity& self) {
        if (self.name == "spawned") return;
        self.name = "spawned";
        level.place(make("behind", typeIds::shot, at(9, 2).x, at(9, 2).z));
        level.place(make("beyond", typeIds::shot, at(1, 9).x, at(1, 9).z));
    };
    for (TestEntity* e : {ahead, back, spawner, make("tree", typeIds::tree, at(5, 4).x, at(5, 4).z)}) level.place(e);
    level.update();
    EXPECT_EQ(log, (std::vector<std::string>{"ahead:update", "spawner:update", "ahead:update", "back:update",
                                             "beyond:update"}));
    log.clear();
    level.update();  // row by row, then left to right, each where it now stands
    EXPECT_EQ(log, (std::vector<std::string>{"back:update", "behind:update", "spawned:update", "ahead:update",
                                             "beyond:update"}));
}
