// TerrainTile: a 16 by 16 pixel piece of the terrain: heights, normals, box, colour texture and the entities
// filed in its area.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "common/Gl.h"
#include "common/Vector3.h"
#include "world/EntityList.h"
#include "world/LevelFormat.h"

class Entity;
class MovingTiles;

constexpr int tilePixels = 16;                   // picture pixels along each side of a tile
constexpr int overlapSamples = 2;                // extra sample columns and rows shared with the next tile
constexpr int tileSpan = tilePixels * cellSize;  // 384 world units between tile origins

class TerrainTile {
   public:
    // Copies count height bytes (samplesAcross * samplesDown, row by row) and finds the height range; keeps
    // the 16 by 16 RGBA colour block for the tile's texture.
    TerrainTile(const unsigned char* heightBytes, int count, const unsigned char* colour, int firstColumn, int firstRow,
                int samplesAcross, int samplesDown);
    virtual ~TerrainTile();
    TerrainTile(const TerrainTile&) = delete;
    TerrainTile& operator=(const TerrainTile&) = delete;

    // Whether (x, z) lies in the filing area: both ends included, the last sample column and row left out.
    bool contains(float x, float z) const;
    // Height and normal of the sample whose cell holds the point; only for points the tile contains.
    int heightAt(int x, int z) const;
    Vector3 normalAt(int x, int z) const;
    Vector3 minCorner() const { return boundsMin; }
    Vector3 maxCorner() const { return boundsMax; }

    // Files the entity here: a fresh id, this tile, on the ground, at the end of its type's list.
    void add(Entity* e);
    // Unlinks an entity filed here, without walking the lists; one held elsewhere is left alone.
    void remove(Entity* e);
    void update();
    void drawEntities();
    // Draws the ground with the current state, its corners built in the given buffer.
    void drawGround(std::vector<GLfloat>& corners) const;
    // Frees the nodes unlinked since the last call; called once no walk stands on them.
    void releaseUnlinked();
    int entityCount(int typeId) const;

    // The level's record of which tiles hold moving entities, kept as entities are filed and unlinked here;
    // null for a tile standing alone.
    MovingTiles* movingTiles = nullptr;  // not owned
    size_t index = 0;                    // this tile's place in the level's row-major order

    std::vector<std::unique_ptr<EntityList>> lists;  // one per type id, in order of creation
    std::vector<unsigned char> heights;              // alpha bytes: sample height is twice the byte
    int nextId = 0;
    Vector3 boundsMin, boundsMax;
    int originX, originZ;  // world position of sample (0, 0)
    int width, depth;      // 24 * samplesAcross, 24 * samplesDown

   private:
    // Keeps the count of filed entities whose update does something, and the level's record of it.
    void countMover(Entity* e, int change);
    void noteUnlinked();

    int movers_ = 0;
    bool unlinkedNoted_ = false;  // listed in movingTiles->unlinkedIn since the last release
    // Bit i: lists[i] holds a type that updates. Kept in the tile so that the walk reads no scenery list.
    uint64_t movingLists_ = 0;
    // The colour texture, made from the colour block when the tile is first drawn (needs the GL context):
    // most tiles of a large level are never in view.
    GLuint texture() const;
    // The normals, computed when first asked for: most tiles of a large level are never drawn or flown over.
    const std::vector<Vector3>& normals() const;

    mutable std::vector<Vector3> normals_;       // one per sample; -y on flat ground; empty until asked for
    mutable std::vector<unsigned char> colour_;  // RGBA, row by row; given up once it is a texture
    mutable GLuint texture_ = 0;
    int sampleIndex(int x, int z) const {
        return ((z - originZ) / cellSize) * (width / cellSize) + (x - originX) / cellSize;
    }
};
