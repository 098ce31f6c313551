// Scenery: variant and heading from the generator; trees are blended and two-sided.
#include "objects/Scenery.h"

#include "common/GameRandom.h"
#include "common/Gl.h"
#include "world/LevelFormat.h"

namespace {

// The single-precision number nearest to 1/32767: r * c * n stays below n for every 15-bit r.
constexpr float randomScale = 3.0518509e-05f;

template <int n>
const char* pick(const char* const (&files)[n], int r) {
    const int index = int(float(r) * randomScale * float(n));
    return files[index < n ? index : n - 1];
}

}  // namespace

const char* Scenery::modelFile(int kind, int r) {
    switch (kind) {
        case typeIds::tree: return pick(treeModelFiles, r);
        case typeIds::rock: return pick(rockModelFiles, r);
        case typeIds::plant: return pick(plantModelFiles, r);
        case typeIds::smallRock: return pick(smallRockModelFiles, r);
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
