// Entity: default drawing, and the moves that keep an entity filed in the tile that contains it.
#include "objects/Entity.h"

#include "assets/ModelCache.h"
#include "common/Gl.h"
#include "world/Level.h"
#include "world/TerrainTile.h"

Entity::Entity() : model(ModelCache::instance().get(nullptr)) {}  // the shared empty model

void Entity::useModel(const char* path) {
    model = ModelCache::instance().get(path);
    model->loadTextures();
}

void Entity::beginDraw() {
    glColor4f(1, 1, 1, 1);
    model->applyMaterial();
}

void Entity::draw() {
    glPushMatrix();
    glTranslatef(x, y, z);
    glRotatef(heading, 0, 1, 0);
    model->render();
    glPopMatrix();
}

void Entity::endDraw() { glColor4f(1, 1, 1, 1); }

void Entity::refileIfOutside() {
    if (tile && !tile->contains(x, z)) {
        // A dropped entity is in no list: its old id may belong to another entity of that tile by now.
        if (filed) tile->remove(this);
        Level::instance().place(this);
    }
}

void Entity::setX(float newX) {
    x = newX;
    refileIfOutside();
    y = groundHeight(x, z);
}

void Entity::setPosition(Vector3 p) {
    x = p.x;
    z = p.z;
    refileIfOutside();
    y = p.y;
}
