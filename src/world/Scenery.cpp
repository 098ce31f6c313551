// Scenery: variant and heading from the generator; trees are blended and two-sided.
#include "world/Scenery.h"

#include "common/GameRandom.h"
#include "common/Gl.h"

namespace {

// The single-precision number nearest to 1/32767: r * c * n stays below n for every 15-bit r.
constexpr float randomScale = 3.0518509e-05f;

const char* const trees[] = {"data/models/tree1.ms3d", "data/models/tree2.ms3d", "data/models/tree3.ms3d"};
const char* const rocks[] = {"data/models/rock1.ms3d", "data/models/rock2.ms3d", "data/models/rock3.ms3d"};
const char* const plants[] = {"data/models/mushroom1.ms3d", "data/models/mushroom2.ms3d", "data/models/plant1.ms3d",
                              "data/models/plant2.ms3d"};
const char* const smallRocks[] = {"data/models/smallrock1.ms3d", "data/models/smallrock2.ms3d"};

template <int n>
const char* pick(const char* const (&files)[n], int r) {
    const int index = int(float(r) * randomScale * float(n));
    return files[index < n ? index : n - 1];
}

}  // namespace

const char* Scenery::modelFile(int kind, int r) {
    switch (kind) {
        case typeIds::tree: return pick(trees, r);
        case typeIds::rock: return pick(rocks, r);
        case typeIds::plant: return pick(plants, r);
        case typeIds::smallRock: return pick(smallRocks, r);
        default: return nullptr;
    }
}

Scenery::Scenery(int kind_, float x_, float z_) : kind(kind_) {
    if (const char* file = modelFile(kind, kind >= typeIds::tree && kind <= typeIds::smallRock ? gameRand() : 0)) {
        useModel(file);
    }
    heading = float(gameRand()) * randomScale * 360.0f;
    x = x_;
    z = z_;
}

void Scenery::beginDraw() {
    glColor4f(1, 1, 1, 1);
    model->applyMaterial();
    if (kind == typeIds::tree) {
        glEnable(GL_BLEND);  // the foliage's texture alpha
        glDisable(GL_CULL_FACE);
    }
}

void Scenery::endDraw() {
    if (kind == typeIds::tree) {
        glDisable(GL_BLEND);
        glEnable(GL_CULL_FACE);
    }
}
