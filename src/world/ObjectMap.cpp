// Object map: each byte of a pixel has its role (tower code, object code, target code, parameter); three
// passes create the ship's start and the scenery, then the towers, then the towers' target points.
#include <vector>

#include "assets/Tga.h"
#include "objects/Ship.h"
#include "objects/Tower.h"
#include "world/Level.h"
#include "world/Scenery.h"

namespace {

enum ByteRole { towerCodeByte = 0, objectCodeByte = 1, targetCodeByte = 2, parameterByte = 3 };
enum ObjectCode { shipStart = 1, treeCode = 3, rockCode, plantCode, smallRockCode };

constexpr float byteToUnit = 1.0f / 255.0f;

// Each byte sits at its own x within its pixel's cell: x = 24 * (offset in row) / bytes per pixel.
struct BytePosition {
    size_t stride;
    int bytesPerPixel;
    float x(size_t p) const { return 24.0f * float(p % stride) / float(bytesPerPixel); }
    float z(size_t p) const { return 24.0f * float(p / stride); }
};

}  // namespace

bool Level::loadObjectMap(const char* path) {
    TgaImage image;
    if (!readTga(path, image)) return false;
    // The parameter byte is the fourth of each pixel: a 24-bit map has none.
    if (image.bytesPerPixel != 4) return false;
    const std::vector<unsigned char>& pixels = image.pixels;
    const size_t size = pixels.size();
    const BytePosition at{size_t(image.width) * 4, 4};

    for (size_t p = objectCodeByte; p < size; p += 4) {
        const int g = pixels[p];
        if (g == shipStart) {
            Ship& ship = Ship::player;
            // A second start pixel moves the ship; it must never sit in two lists.
            if (ship.filed && ship.tile) ship.tile->remove(ship.id);
            ship.x = at.x(p);
            ship.z = at.z(p);
            ship.heading = float(pixels[p + 2]) * byteToUnit * 360.0f;
            place(&ship);
        } else if (g >= treeCode && g <= smallRockCode) {
            Scenery* scenery = new Scenery(g - 1, at.x(p), at.z(p));
            place(scenery);
            if (!scenery->filed) delete scenery;  // outside the world it would never be drawn or updated
        }
    }

    std::vector<Tower*> towers;
    std::vector<int> towerCodes;
    for (size_t p = towerCodeByte; p < size; p += 4) {
        if (pixels[p] == 0) continue;
        Tower* tower = new Tower(at.x(p), at.z(p), pixels[p + 3]);
        towers.push_back(tower);
        towerCodes.push_back(pixels[p]);
        place(tower);
    }

    for (size_t p = targetCodeByte; p < size; p += 4) {
        const int t = pixels[p];
        if (t == 0) continue;
        for (size_t i = 0; i < towers.size(); ++i) {
            if (towerCodes[i] == t) towers[i]->addTarget(int(at.x(p)), int(at.z(p)));
        }
    }
    // A tower outside every tile never fires and is never drawn; nothing else holds it.
    for (Tower* tower : towers) {
        if (!tower->filed) delete tower;
    }
    return true;
}
