// Scenery: variant and heading from the generator; trees are blended and two-sided.
#include "objects/Scenery.h"

#include "common/GameRandom.h"
#include "common/Gl.h"

namespace {

// The single-precision number nearest to 1/32767: r * c * n stays below n for every 15-bit r.
constexpr float randomScale = 3.0518509e-05f;

}  // namespace

const char* Scenery::modelFile(int kind, int r) {
    const EntityKind* row = kindOf(kind);
    if (!row || !row->scenery) return nullptr;
    const int n = row->modelCount;
    const int index = int(float(r) * randomScale * float(n));
    return row->models[index < n ? index : n - 1];
}

Scenery::Scenery(int kind_, float x_, float z_) : kind(kind_) {
    const EntityKind* row = kindOf(kind);
    if (const char* file = modelFile(kind, row && row->scenery ? gameRand() : 0)) useModel(file);
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
