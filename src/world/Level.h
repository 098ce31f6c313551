// Level: the world: the terrain tiles cut from the terrain picture and every entity filed in them.
#pragma once

#include <memory>
#include <vector>

#include "world/MovingTiles.h"
#include "world/TerrainTile.h"

class Entity;
struct TgaImage;

// What one level may hold. Beyond these the object map loads no objects (only the ship's start).
namespace levelLimits {
constexpr unsigned long long towers = 65536;
constexpr unsigned long long towerTargets = 1048576;  // target points over all towers
constexpr unsigned long long sceneryObjects = 1048576;
}  // namespace levelLimits

class Level {
   public:
    // Created empty on first use, destroyed at exit.
    static Level& instance();
    virtual ~Level();
    Level(const Level&) = delete;
    Level& operator=(const Level&) = delete;

    // Cuts a 32-bit terrain picture into tiles (colour: ground colour, alpha: half the height), replacing any
    // terrain loaded before.
    bool loadTerrain(const char* path);
    // Files the ship's start, the scenery, the towers and their target points from the object map. False
    // when the picture cannot be read, or when it holds more than levelLimits allow (then only the start is
    // filed, and stderr says why).
    bool loadObjectMap(const char* path);

    // Ground height of the first tile in list order whose area holds the point; 0 outside the world.
    int heightAt(int x, int z) const;
    // The first tile in list order whose filing area contains the point, or null.
    TerrainTile* tileAt(float x, float z) const;
    // Files e into the tile that contains it; an entity outside every tile stays unfiled.
    void place(Entity* e);

    void update();
    void draw();

    // Drops every tile, and deletes the entities still filed in them (all but the player's ship).
    void clear();

    // Entities of a type filed over all tiles.
    int entityCount(int typeId) const;

    // Wall-clock cost of the last frame's passes, measured only while profiling is on (it finishes the GL
    // work between the passes, which slows them a little).
    struct FrameCosts {
        double groundMs = 0, entitiesMs = 0, updateMs = 0;
    };
    void setProfiling(bool on) { profiling_ = on; }
    const FrameCosts& costs() const { return costs_; }

    const std::vector<std::unique_ptr<TerrainTile>>& tiles() const { return tiles_; }
    int tilesDrawn() const { return tilesDrawn_; }  // tiles whose ground passed the culling last frame

   private:
    Level() = default;
    bool cutTiles(const char* path, TgaImage& image);
    bool fileObjects(const char* path, const TgaImage& image);

    std::vector<std::unique_ptr<TerrainTile>> tiles_;  // row-major: first stored rows first, left to right
    MovingTiles movingTiles_;                          // which of them the update walks
    int tileColumns_ = 0;
    int tileRows_ = 0;
    int tilesDrawn_ = 0;
    std::vector<size_t> visible_;         // this frame's tiles whose ground passed: the entity pass draws the same
    std::vector<GLfloat> groundCorners_;  // one tile's ground at a time, kept to spare an allocation per tile
    bool profiling_ = false;
    FrameCosts costs_;
};

// The height at which entities stand at (x, z): a blend of the sample there and the one up to a cell on.
float groundHeight(float x, float z);
