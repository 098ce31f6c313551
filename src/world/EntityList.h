// EntityList: the entities of one type filed in one tile, in filing order.
#pragma once

#include <vector>

class Entity;

struct EntityNode {
    explicit EntityNode(Entity* e) : entity(e) {}
    EntityNode* next = nullptr;
    EntityNode* previous = nullptr;  // so an entity leaves its list without a walk
    Entity* entity;                  // not owned
};

// Owns its nodes (a plain chain, so that an unlinked node can keep its next while a walk stands on it).
class EntityList {
   public:
    explicit EntityList(Entity* first);
    ~EntityList();
    EntityList(const EntityList&) = delete;
    EntityList& operator=(const EntityList&) = delete;

    // Adds a node for e at the end and returns it.
    EntityNode* append(Entity* e);
    // Unlinks this node of the list. The node stays readable, with its next unchanged, until releaseUnlinked:
    // an update walk may be standing on it.
    void unlink(EntityNode* node);
    void drawAll();
    void updateAll();
    void releaseUnlinked();

    int count() const;

    EntityNode* head;
    int typeId;

   private:
    EntityNode* tail_;  // the last linked node, so appending does not walk the list
    std::vector<EntityNode*> unlinked_;
};
