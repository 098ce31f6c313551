// The kinds of game object, one row each: the type id, the object map's code that places it, whether its
// update does anything, and its model files. The object map, the world's update walk, demos, traces, the
// level generator and the tests all read this one table.
#pragma once

#include <array>
#include <cstddef>
#include <iterator>

// The type ids, as every list, demo and trace knows them.
namespace typeIds {
constexpr int ship = 1;
constexpr int tree = 2;
constexpr int rock = 3;
constexpr int plant = 4;  // mushrooms and plants
constexpr int smallRock = 5;
constexpr int tower = 6;
constexpr int shot = 7;
constexpr int explosion = 9;
}  // namespace typeIds

// Model files, relative to the game's folder. A kind with several takes one of them at random.
namespace kindModels {
inline constexpr const char* ship[] = {"data/models/ship.ms3d"};
inline constexpr const char* tree[] = {"data/models/tree1.ms3d", "data/models/tree2.ms3d", "data/models/tree3.ms3d"};
inline constexpr const char* rock[] = {"data/models/rock1.ms3d", "data/models/rock2.ms3d", "data/models/rock3.ms3d"};
inline constexpr const char* plant[] = {"data/models/mushroom1.ms3d", "data/models/mushroom2.ms3d",
                                        "data/models/plant1.ms3d", "data/models/plant2.ms3d"};
inline constexpr const char* smallRock[] = {"data/models/smallrock1.ms3d", "data/models/smallrock2.ms3d"};
inline constexpr const char* tower[] = {"data/models/tower.ms3d"};
inline constexpr const char* shot[] = {"data/models/shot.ms3d"};
inline constexpr const char* explosion[] = {"data/models/Explosion.ms3d"};
}  // namespace kindModels

struct EntityKind {
    int typeId;
    const char* name;
    int objectCode;  // the object map's object byte that places one (0: none; towers come from the tower byte)
    bool scenery;    // placed by its code as Scenery of this kind
    bool updates;    // whether its update does anything: the world's walk never visits a tile of still kinds
    const char* const* models;
    int modelCount;
};

template <size_t n>
constexpr EntityKind kindRow(int typeId, const char* name, int objectCode, bool scenery, bool updates,
                             const char* const (&models)[n]) {
    return {typeId, name, objectCode, scenery, updates, models, int(n)};
}

// In the order of the type ids.
inline constexpr EntityKind entityKinds[] = {
    kindRow(typeIds::ship, "ship", 1, false, true, kindModels::ship),  // code 1: the ship's start
    kindRow(typeIds::tree, "tree", 3, true, false, kindModels::tree),
    kindRow(typeIds::rock, "rock", 4, true, false, kindModels::rock),
    kindRow(typeIds::plant, "plant", 5, true, false, kindModels::plant),
    kindRow(typeIds::smallRock, "small rock", 6, true, false, kindModels::smallRock),
    kindRow(typeIds::tower, "tower", 0, false, true, kindModels::tower),
    kindRow(typeIds::shot, "shot", 0, false, true, kindModels::shot),
    kindRow(typeIds::explosion, "explosion", 0, false, true, kindModels::explosion),
};

// The row of a type id, or null for an id no kind has (a test's own entities).
constexpr const EntityKind* kindOf(int typeId) {
    for (const EntityKind& kind : entityKinds)
        if (kind.typeId == typeId) return &kind;
    return nullptr;
}

// The kind an object code places, or null for a code that places nothing.
constexpr const EntityKind* kindPlacedBy(int objectCode) {
    for (const EntityKind& kind : entityKinds)
        if (objectCode != 0 && kind.objectCode == objectCode) return &kind;
    return nullptr;
}

// The object code that places a kind (the level generator paints with it).
constexpr int objectCodeOf(int typeId) { return kindOf(typeId) ? kindOf(typeId)->objectCode : 0; }

// The first (for most kinds the only) model file of a kind.
constexpr const char* modelOf(int typeId) { return kindOf(typeId) ? kindOf(typeId)->models[0] : nullptr; }

namespace entityKindsDetail {
constexpr std::array<bool, 256> updatingIds() {
    std::array<bool, 256> ids{};
    for (bool& id : ids) id = true;
    for (const EntityKind& kind : entityKinds) ids[size_t(kind.typeId)] = kind.updates;
    return ids;
}
inline constexpr std::array<bool, 256> updating = updatingIds();
}  // namespace entityKindsDetail

namespace typeIds {
// Whether entities of the type do anything when updated: still kinds are never walked. An id without a kind
// is walked, to be safe. A table lookup: asked for every entity filed.
constexpr bool updates(int typeId) {
    return typeId < 0 || typeId >= 256 || entityKindsDetail::updating[size_t(typeId)];
}
}  // namespace typeIds
