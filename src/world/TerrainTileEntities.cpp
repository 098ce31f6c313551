// TerrainTile, entity side: filing, unlinking, and the per-tile update and draw walks.
#include "objects/Entity.h"
#include "world/TerrainTile.h"

void TerrainTile::add(Entity* e) {
    e->id = nextId++;
    e->tile = this;
    e->filed = true;
    e->setX(e->x);  // the tile contains the point, so this only stands e on the ground
    for (auto& list : lists) {
        if (list->typeId == e->typeId()) {
            e->node = list->append(e);
            return;
        }
    }
    lists.push_back(std::make_unique<EntityList>(e));
}

void TerrainTile::remove(int id) {
    for (auto& list : lists) {
        if (Entity* e = list->removeById(id)) {
            e->filed = false;
            e->node = nullptr;
        }
    }
}

void TerrainTile::remove(Entity* e) {
    if (!e->filed || !e->node || e->tile != this) return;  // not held here: nothing to unlink
    for (auto& list : lists) {
        if (list->typeId != e->typeId()) continue;
        list->unlink(e->node);
        e->node = nullptr;
        e->filed = false;
        return;
    }
}

void TerrainTile::update() {
    // Indexed, and the count read again each time: a list created during the walk is walked too. Scenery
    // does nothing in its update, so its lists (most of a level's entities) are passed over.
    for (size_t i = 0; i < lists.size(); ++i) {
        const int type = lists[i]->typeId;
        if (type >= typeIds::tree && type <= typeIds::smallRock) continue;
        lists[i]->updateAll();
    }
}

void TerrainTile::drawEntities() {
    for (auto& list : lists) {
        if (!list->head) continue;
        Entity* first = list->head->entity;
        first->beginDraw();
        list->drawAll();
        first->endDraw();
    }
}

void TerrainTile::releaseUnlinked() {
    for (auto& list : lists) list->releaseUnlinked();
}

int TerrainTile::entityCount(int typeId) const {
    for (const auto& list : lists) {
        if (list->typeId == typeId) return list->count();
    }
    return 0;
}
