// Object map: each byte of a pixel has its role (tower code, object code, target code, parameter); three
// passes create the ship's start and the scenery, then the towers, then the towers' target points.
#include <cstdint>
#include <new>
#include <vector>

#include "assets/Tga.h"
#include "common/Report.h"
#include "objects/Scenery.h"
#include "objects/Ship.h"
#include "objects/Tower.h"
#include "world/Level.h"
#include "world/LevelFormat.h"

namespace {

constexpr float byteToUnit = 1.0f / 255.0f;

// Each byte sits at its own x within its pixel's cell: x = cellSize * (offset in row) / bytes per pixel.
struct BytePosition {
    size_t stride;
    int bytesPerPixel;
    float x(size_t p) const { return float(cellSize) * float(p % stride) / float(bytesPerPixel); }
    float z(size_t p) const { return float(cellSize) * float(p / stride); }
};

// Whether the map's objects fit the level's budgets; says why not on stderr. Counted from the bytes alone,
// before anything is made: targets grow as towers times target pixels of their code.
bool withinBudgets(const char* path, const std::vector<unsigned char>& pixels) {
    uint64_t towersOfCode[256] = {}, targetsOfCode[256] = {}, scenery = 0;
    for (size_t p = 0; p + objectMapBytesPerPixel <= pixels.size(); p += objectMapBytesPerPixel) {
        ++towersOfCode[pixels[p + towerCodeByte]];
        ++targetsOfCode[pixels[p + targetCodeByte]];
        const EntityKind* kind = kindPlacedBy(pixels[p + objectCodeByte]);
        if (kind && kind->scenery) ++scenery;
    }
    uint64_t towers = 0, towerTargets = 0;
    for (int code = 1; code < 256; ++code) {
        towers += towersOfCode[code];
        towerTargets += towersOfCode[code] * targetsOfCode[code];
    }
    const struct {
        const char* what;
        uint64_t count, limit;
    } budgets[] = {{"towers", towers, levelLimits::towers},
                   {"tower target points", towerTargets, levelLimits::towerTargets},
                   {"scenery objects", scenery, levelLimits::sceneryObjects}};
    for (const auto& b : budgets) {
        if (b.count <= b.limit) continue;
        reportRefusal(path, std::to_string(b.count) + " " + b.what + ", more than the " + std::to_string(b.limit) +
                                " a level may hold: no objects loaded");
        return false;
    }
    return true;
}

}  // namespace

bool Level::loadObjectMap(const char* path) {
    TgaImage image;
    if (!readTga(path, image)) return false;
    try {
        return fileObjects(path, image);
    } catch (const std::bad_alloc&) {
        // What was filed before memory ran out stays filed.
        reportRefusal(path, "not enough memory for its objects: not all loaded");
        return false;
    }
}

bool Level::fileObjects(const char* path, const TgaImage& image) {
    // The parameter byte is the fourth of each pixel: a 24-bit map has none.
    if (image.bytesPerPixel != objectMapBytesPerPixel) {
        reportRefusal(path, "a " + std::to_string(image.bytesPerPixel * 8) +
                                "-bit picture has no parameter bytes (the object map is 32 bits): no objects loaded");
        return false;
    }
    const std::vector<unsigned char>& pixels = image.pixels;
    const size_t size = pixels.size();
    const BytePosition at{size_t(image.width) * objectMapBytesPerPixel, objectMapBytesPerPixel};
    // Over budget, only the ship's start is taken: the terrain can still be flown.
    const bool withObjects = withinBudgets(path, pixels);

    // Each pass visits the pixels in file order; a byte's role names its place in the pixel.
    const size_t pixelBytes = objectMapBytesPerPixel;
    for (size_t pixel = 0; pixel + pixelBytes <= size; pixel += pixelBytes) {
        const size_t p = pixel + objectCodeByte;
        const EntityKind* kind = kindPlacedBy(pixels[p]);
        if (!kind) continue;
        if (kind->typeId == typeIds::ship) {
            // A second start pixel moves the ship: the last one is its start.
            Ship::player.setStart(at.x(p), at.z(p), float(pixels[pixel + parameterByte]) * byteToUnit * 360.0f);
            Ship::player.returnToStart();
        } else if (withObjects && kind->scenery) {
            Scenery* scenery = new Scenery(kind->typeId, at.x(p), at.z(p));
            place(scenery);
            if (!scenery->filed) delete scenery;  // outside the world it would never be drawn or updated
        }
    }

    if (!withObjects) return false;

    // The towers of each code in creation order, so a target pixel visits only the towers it belongs to.
    std::vector<Tower*> towersOfCode[256];
    for (size_t pixel = 0; pixel + pixelBytes <= size; pixel += pixelBytes) {
        const size_t p = pixel + towerCodeByte;
        if (pixels[p] == 0) continue;
        Tower* tower = new Tower(at.x(p), at.z(p), pixels[pixel + parameterByte]);
        place(tower);
        towersOfCode[pixels[p]].push_back(tower);
    }

    for (size_t pixel = 0; pixel + pixelBytes <= size; pixel += pixelBytes) {
        const size_t p = pixel + targetCodeByte;
        for (Tower* tower : towersOfCode[pixels[p]]) tower->addTarget(int(at.x(p)), int(at.z(p)));
    }
    // A tower outside every tile never fires and is never drawn; nothing else holds it.
    for (const std::vector<Tower*>& towers : towersOfCode) {
        for (Tower* tower : towers) {
            if (!tower->filed) delete tower;
        }
    }
    return true;
}
