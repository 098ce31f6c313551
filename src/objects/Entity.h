// Entity: the base of every game object: a position, a heading, a type id, its own model and its filing.
#pragma once

#include <memory>

#include "assets/Ms3dModel.h"
#include "common/Vector3.h"
#include "objects/EntityKinds.h"

class TerrainTile;
struct EntityNode;


class Entity {
   public:
    virtual ~Entity() = default;
    Entity(const Entity&) = delete;
    Entity& operator=(const Entity&) = delete;

    virtual int typeId() const = 0;
    // The Level calls beginDraw and endDraw twice on the first entity of each list: both must be repeatable.
    virtual void beginDraw();
    virtual void draw();
    virtual void endDraw();
    // Once per updated frame. May file new entities, and may unlink and delete this entity.
    virtual void update() = 0;

    // Moves along x, keeps the filing right and stands the entity on the ground.
    void setX(float newX);
    // Moves to p, keeps the filing right and keeps p's height.
    void setPosition(Vector3 p);

    float x = 0, y = 0, z = 0;
    float heading = 0;                 // degrees about +y
    int id = 0;                        // number within its tile, fresh at every filing
    TerrainTile* tile = nullptr;       // not owned: the tile that last filed the entity
    bool filed = false;                // whether a tile's list holds the entity now
    EntityNode* node = nullptr;        // not owned: the node that holds it while filed
    std::shared_ptr<Ms3dModel> model;  // shared with every entity of the same model file

   protected:
    Entity();
    // Takes the shared model read from path (read on the first request) and its textures.
    void useModel(const char* path);
    // Leaves the old tile and files the entity again where it now stands, if x and z left the tile.
    void refileIfOutside();
};
