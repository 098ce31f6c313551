// TerrainTile, entity side: filing, unlinking, and the per-tile update and draw walks.
#include "objects/Entity.h"
#include "world/MovingTiles.h"
#include "world/TerrainTile.h"

void TerrainTile::countMover(Entity* e, int change) {
    if (!typeIds::updates(e->typeId())) return;
    movers_ += change;
    if (!movingTiles) return;
    if (movers_ > 0)
        movingTiles->mark(index);
    else
        movingTiles->unmark(index);
}

void TerrainTile::noteUnlinked() {
    if (!movingTiles || unlinkedNoted_) return;
    movingTiles->unlinkedIn.push_back(index);
    unlinkedNoted_ = true;
}

void TerrainTile::add(Entity* e) {
    e->id = nextId++;
    e->tile = this;
    e->filed = true;
    e->setX(e->x);  // the tile contains the point, so this only stands e on the ground
    countMover(e, +1);
    for (auto& list : lists) {
        if (list->typeId == e->typeId()) {
            e->node = list->append(e);
            return;
        }
    }
    if (typeIds::updates(e->typeId()) && lists.size() < 64) movingLists_ |= uint64_t(1) << lists.size();
    lists.push_back(std::make_unique<EntityList>(e));
}

void TerrainTile::remove(Entity* e) {
    if (!e->filed || !e->node || e->tile != this) return;  // not held here: nothing to unlink
    for (auto& list : lists) {
        if (list->typeId != e->typeId()) continue;
        list->unlink(e->node);
        e->node = nullptr;
        e->filed = false;
        countMover(e, -1);
        noteUnlinked();
        return;
    }
}

void TerrainTile::update() {
    // Indexed, and the count read again each time: a list created during the walk is walked too. Scenery
    // does nothing in its update, so its lists (most of a level's entities) are passed over.
    for (size_t i = 0; i < lists.size(); ++i) {
        const bool moving = i < 64 ? (movingLists_ >> i) & 1 : typeIds::updates(lists[i]->typeId);
        if (moving) lists[i]->updateAll();
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
    unlinkedNoted_ = false;
}

int TerrainTile::entityCount(int typeId) const {
    for (const auto& list : lists) {
        if (list->typeId == typeId) return list->count();
    }
    return 0;
}
