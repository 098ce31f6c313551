// Fuzz target: one picture as the terrain and as the object map: tile cutting, filing, scenery, towers,
// target points, and a few world updates over what was placed. Runs without a GL context (texture names 0).
#include <cstdint>

#include "FuzzInput.h"
#include "common/FrameClock.h"
#include "objects/Ship.h"
#include "objects/Tower.h"
#include "world/Level.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string path = writeFuzzInput(data, size, ".tga");
    Level& level = Level::instance();
    level.loadTerrain(path.c_str());
    level.loadObjectMap(path.c_str());
    // A picture of nothing but tower and target pixels makes a volley of a million shots: the game would do
    // it, slowly. Updates run only where the volleys stay small enough to be quick.
    size_t shotsPerVolley = 0;
    for (const auto& tile : level.tiles())
        for (const auto& list : tile->lists)
            if (list->typeId == 6)
                for (EntityNode* n = list->head; n; n = n->next)
                    shotsPerVolley += static_cast<Tower*>(n->entity)->targets.size();
    frameTime = 250;  // long frames: towers fire, shots fly and burst, fireballs grow and end
    for (int i = 0; i < 8 && shotsPerVolley < 2000; ++i) level.update();
    for (const auto& tile : level.tiles()) {
        for (const auto& list : tile->lists)
            for (EntityNode* n = list->head; n; n = n->next)
                // Filed where it stands; only the fireball of a shot that burst as it left the world stands
                // outside it, in the shot's last tile.
                if (!tile->contains(n->entity->x, n->entity->z) &&
                    !(list->typeId == 9 && !level.tileAt(n->entity->x, n->entity->z)))
                    __builtin_trap();
    }
    level.clear();
    Ship::player.reset();
    return 0;
}
