// Filing entities in tiles, moving them across borders, and the update walk's re-entrancy.
#include <gtest/gtest.h>

#include "Fixtures.h"
#include "GlTest.h"
#include "TestEntity.h"
#include "world/Level.h"

class EntityFiling : public GlTest {
   protected:
    void SetUp() override {
        GlTest::SetUp();
        ASSERT_TRUE(loadFlatTerrain(32, 32, 10));  // 2 by 2 tiles, ground at 20
    }
    TerrainTile& tile(int i) { return *Level::instance().tiles()[size_t(i)]; }
    std::vector<int> typesOf(TerrainTile& t) {
        std::vector<int> types;
        for (auto& list : t.lists) types.push_back(list->typeId);
        return types;
    }
    // Entities made here are deleted with the level, as filed entities are at exit.
    TestEntity* make(int type, float x, float z) { return new TestEntity(type, x, z, &log); }
    std::vector<std::string> log;
};

TEST_F(EntityFiling, IdsCountUpPerTileAndListsKeepTheirOrderOfCreation) {
    Level& level = Level::instance();
    TestEntity* a = make(2, 10, 10);
    TestEntity* b = make(6, 20, 10);
    TestEntity* c = make(2, 30, 10);
    TestEntity* d = make(7, 40, 10);
    for (TestEntity* e : {a, b, c, d}) level.place(e);
    EXPECT_EQ(a->id, 0);
    EXPECT_EQ(b->id, 1);
    EXPECT_EQ(c->id, 2);
    EXPECT_EQ(d->id, 3);
    EXPECT_EQ(typesOf(tile(0)), (std::vector<int>{2, 6, 7}));
    EXPECT_EQ(tile(0).entityCount(2), 2);
    EXPECT_EQ(a->y, 20.0f);  // filing stands the entity on the ground
    EXPECT_EQ(a->tile, &tile(0));

    // Removing the head keeps the rest in order; an emptied list stays and takes the next of its type.
    tile(0).remove(a->id);
    EXPECT_FALSE(a->filed);
    EXPECT_EQ(tile(0).lists[0]->head->entity, c);
    tile(0).remove(c->id);
    EXPECT_EQ(tile(0).lists[0]->head, nullptr);
    level.place(a);
    EXPECT_EQ(a->id, 4);  // ids are never reused
    EXPECT_EQ(typesOf(tile(0)), (std::vector<int>{2, 6, 7}));
    EXPECT_EQ(tile(0).lists[0]->head->entity, a);
    delete c;

    // Removing the last node and filing again: the new one follows the one now last.
    TestEntity* e = make(6, 50, 10);
    TestEntity* f = make(6, 60, 10);
    level.place(e);
    tile(0).remove(e->id);
    level.place(f);
    EXPECT_EQ(tile(0).lists[1]->head->entity, b);
    EXPECT_EQ(tile(0).lists[1]->head->next->entity, f);
    delete e;

    // An id another tile also uses is only removed where it is asked for.
    TestEntity* other = make(2, 500, 10);
    level.place(other);
    EXPECT_EQ(other->id, 0);
    tile(1).remove(1);
    tile(0).remove(0);
    EXPECT_EQ(tile(1).entityCount(2), 1);
    tile(1).remove(99);  // nothing there
    EXPECT_EQ(tile(1).entityCount(2), 1);
}

TEST_F(EntityFiling, MovingAcrossABorderRefilesWithAFreshIdAndSetPositionKeepsItsHeight) {
    Level& level = Level::instance();
    TestEntity* e = make(7, 100, 100);
    level.place(e);
    e->setX(200);
    EXPECT_EQ(e->tile, &tile(0));  // within the tile: only x and y change
    EXPECT_EQ(e->id, 0);
    level.place(make(7, 450, 100));  // tile 1 has handed out id 0 already
    e->setPosition(Vector3(500, 333, 100));
    EXPECT_EQ(e->tile, &tile(1));
    EXPECT_EQ(e->id, 1);
    EXPECT_EQ(e->y, 333.0f);
    EXPECT_EQ(tile(0).entityCount(7), 0);
    EXPECT_EQ(tile(1).entityCount(7), 2);

    // Out of the world: dropped from every tile, its tile left pointing at the last one.
    e->setPosition(Vector3(5000, 10, 100));
    EXPECT_FALSE(e->filed);
    EXPECT_EQ(e->tile, &tile(1));
    EXPECT_EQ(tile(1).entityCount(7), 1);
    delete e;
    TestEntity outside(2, -10, 0);
    level.place(&outside);
    EXPECT_FALSE(outside.filed);
    EXPECT_EQ(outside.tile, nullptr);
}

TEST_F(EntityFiling, TheWalkSurvivesSelfRemovalAndReachesEntitiesFiledDuringIt) {
    Level& level = Level::instance();
    TestEntity* shot = make(7, 10, 10);
    TestEntity* next = make(7, 20, 10);
    TestEntity* spawned = nullptr;
    shot->name = "shot";
    next->name = "next";
    // Like a shot bursting: files a new entity of a new type in its own tile, then unlinks and deletes itself.
    shot->onUpdate = [&](TestEntity& self) {
        spawned = new TestEntity(9, self.x, self.z, &log);
        spawned->name = "explosion";
        self.tile->add(spawned);
        self.tile->remove(self.id);
        delete &self;
    };
    level.place(shot);
    level.place(next);
    level.update();
    EXPECT_EQ(next->updates, 1);
    ASSERT_NE(spawned, nullptr);
    EXPECT_EQ(spawned->updates, 1);  // its list came after the walked one, so it was reached this frame
    EXPECT_EQ(log, (std::vector<std::string>{"shot:update", "next:update", "explosion:update"}));
}

TEST_F(EntityFiling, DrawingCallsBeginAndEndTwiceOnTheFirstEntityOfEachList) {
    Level& level = Level::instance();
    TestEntity* a = make(2, 10, 10);
    TestEntity* b = make(2, 20, 10);
    a->name = "a";
    b->name = "b";
    level.place(a);
    level.place(b);
    tile(0).drawEntities();
    EXPECT_EQ(log, (std::vector<std::string>{"a:begin", "a:begin", "a:draw", "a:end", "b:begin", "b:draw", "b:end",
                                             "a:end"}));
}
