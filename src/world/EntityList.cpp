// EntityList: appending, unlinking by id, and the draw and update walks.
#include "world/EntityList.h"

#include "objects/Entity.h"

EntityList::EntityList(Entity* first) : head(new EntityNode(first)), typeId(first->typeId()), tail_(head) {
    first->node = head;
}

EntityList::~EntityList() {
    while (head) {
        EntityNode* next = head->next;
        delete head;
        head = next;
    }
    releaseUnlinked();
}

EntityNode* EntityList::append(Entity* e) {
    EntityNode* node = new EntityNode(e);
    if (head) {
        tail_->next = node;
        node->previous = tail_;
    } else {
        head = node;
    }
    tail_ = node;
    return node;
}

void EntityList::unlink(EntityNode* node) {
    // The node keeps its own next: a walk standing on it goes on to the successor it had.
    if (node->previous)
        node->previous->next = node->next;
    else
        head = node->next;
    if (node->next)
        node->next->previous = node->previous;
    else
        tail_ = node->previous;
    unlinked_.push_back(node);
}

void EntityList::drawAll() {
    for (EntityNode* node = head; node; node = node->next) {
        node->entity->beginDraw();
        node->entity->draw();
        node->entity->endDraw();
    }
}

void EntityList::updateAll() {
    // The entity may unlink itself (and be deleted) inside update; its node's next is read afterwards.
    for (EntityNode* node = head; node; node = node->next) {
#if defined(__GNUC__)
        // Entities lie wherever they were made: ask for the next one while this one updates.
        if (EntityNode* next = node->next) {
            __builtin_prefetch(next->entity);
            if (next->next) __builtin_prefetch(next->next);
        }
#endif
        node->entity->update();
    }
}

void EntityList::releaseUnlinked() {
    for (EntityNode* node : unlinked_) delete node;
    unlinked_.clear();
}

int EntityList::count() const {
    int n = 0;
    for (const EntityNode* node = head; node; node = node->next) ++n;
    return n;
}
