// Level: tile cutting from the terrain picture, tile look-up, filing and the world update.
#include "world/Level.h"

#include <chrono>
#include <cmath>
#include <cstring>
#include <new>

#include "assets/Tga.h"
#include "common/Report.h"
#include "objects/Entity.h"
#include "objects/Ship.h"

Level& Level::instance() {
    static Level level;
    return level;
}

Level::~Level() { clear(); }

void Level::clear() {
    // Entities still filed belong to nobody; release them with the world (the ship is a static object).
    for (auto& tile : tiles_) {
        for (auto& list : tile->lists) {
            for (EntityNode* node = list->head; node; node = node->next) {
                if (node->entity != &Ship::player) delete node->entity;
            }
        }
    }
    tiles_.clear();
    movingTiles_.reset(0);
    tileColumns_ = tileRows_ = 0;
    Ship::player.filed = false;
    Ship::player.tile = nullptr;  // its tile is gone, and the node that held it
    Ship::player.node = nullptr;
}

bool Level::loadTerrain(const char* path) {
    clear();  // a new terrain replaces the old one and everything filed in it
    TgaImage image;
    if (!readTga(path, image)) return false;
    try {
        return cutTiles(path, image);
    } catch (const std::bad_alloc&) {
        clear();
        reportRefusal(path, "not enough memory for its tiles: no terrain loaded");
        return false;
    }
}

bool Level::cutTiles(const char* path, TgaImage& image) {
    // The heights live in the alpha channel; a picture without one has no terrain to offer.
    if (image.bytesPerPixel != 4) {
        reportRefusal(path, "a " + std::to_string(image.bytesPerPixel * 8) +
                                "-bit picture has no heights (the terrain is 32 bits, heights in alpha): no terrain loaded");
        return false;
    }
    std::vector<unsigned char>& pixels = image.pixels;
    for (size_t i = 0; i < pixels.size(); i += 4) std::swap(pixels[i], pixels[i + 2]);

    tileColumns_ = image.width / tilePixels;
    tileRows_ = image.height / tilePixels;
    movingTiles_.reset(size_t(tileColumns_) * size_t(tileRows_));
    const size_t stride = size_t(image.width) * 4;
    unsigned char colour[tilePixels * tilePixels * 4];
    unsigned char heightBlock[(tilePixels + overlapSamples) * (tilePixels + overlapSamples)];
    for (int tr = 0; tr < tileRows_; ++tr) {
        for (int tc = 0; tc < tileColumns_; ++tc) {
            for (int row = 0; row < tilePixels; ++row) {
                const unsigned char* src =
                    &pixels[size_t(tilePixels * tr + row) * stride + size_t(tilePixels * tc) * 4];
                std::memcpy(&colour[row * tilePixels * 4], src, tilePixels * 4);
            }
            const int across = tc == tileColumns_ - 1 ? tilePixels : tilePixels + overlapSamples;
            const int down = tr == tileRows_ - 1 ? tilePixels : tilePixels + overlapSamples;
            for (int r = 0; r < down; ++r) {
                for (int c = 0; c < across; ++c) {
                    heightBlock[r * across + c] =
                        pixels[size_t(tilePixels * tr + r) * stride + size_t(tilePixels * tc + c) * 4 + 3];
                }
            }
            tiles_.push_back(std::make_unique<TerrainTile>(heightBlock, across * down, colour, tilePixels * tc,
                                                           tilePixels * tr, across, down));
            tiles_.back()->movingTiles = &movingTiles_;
            tiles_.back()->index = tiles_.size() - 1;
        }
    }
    return true;
}

TerrainTile* Level::tileAt(float x, float z) const {
    // Only the tile whose origin cell holds the point and the tiles one step before it (whose overlap
    // reaches 24 units over) can contain it; of those, list order decides, as a walk of the list would.
    if (!(x >= 0) || !(z >= 0)) return nullptr;
    const float lastColumn = float(tileColumns_), lastRow = float(tileRows_);
    if (x / tileSpan >= lastColumn + 1 || z / tileSpan >= lastRow + 1) return nullptr;
    const int tc = int(x / tileSpan), tr = int(z / tileSpan);
    for (int r = tr - 1; r <= tr; ++r) {
        for (int c = tc - 1; c <= tc; ++c) {
            if (r < 0 || c < 0 || r >= tileRows_ || c >= tileColumns_) continue;
            TerrainTile* tile = tiles_[size_t(r * tileColumns_ + c)].get();
            if (tile->contains(x, z)) return tile;
        }
    }
    return nullptr;
}

int Level::heightAt(int x, int z) const {
    const TerrainTile* tile = tileAt(float(x), float(z));
    return tile ? tile->heightAt(x, z) : 0;
}

void Level::place(Entity* e) {
    TerrainTile* tile = tileAt(e->x, e->z);
    if (!tile) return;
    e->tile = tile;
    e->setX(e->x);
    tile->add(e);
}

int Level::entityCount(int typeId) const {
    int n = 0;
    for (const auto& tile : tiles_) n += tile->entityCount(typeId);
    return n;
}

void Level::update() {
    const auto start = std::chrono::steady_clock::now();
    // In tile order, over the tiles that hold something moving: an entity that moves into a later tile is met
    // again there, one that moves into an earlier tile is not, as in a walk over every tile.
    for (size_t i = movingTiles_.firstFrom(0); i != MovingTiles::none; i = movingTiles_.firstFrom(i + 1)) {
#if defined(__GNUC__)
        // Tiles lie wherever they were made: ask for the next two (the list array of the next, the tile after
        // it) while this one updates. A tile marked during the update is still met; this only fetches early.
        const size_t next = movingTiles_.firstFrom(i + 1);
        if (next != MovingTiles::none) {
            __builtin_prefetch(tiles_[next]->lists.data());
            const size_t after = movingTiles_.firstFrom(next + 1);
            if (after != MovingTiles::none) __builtin_prefetch(tiles_[after].get());
        }
#endif
        tiles_[i]->update();
    }
    // Nodes unlinked during the walk are released only now that no walk stands on them.
    for (size_t i : movingTiles_.unlinkedIn) tiles_[i]->releaseUnlinked();
    movingTiles_.unlinkedIn.clear();
    if (profiling_)
        costs_.updateMs = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

float groundHeight(float x, float z) {
    const int ix = int(x), iz = int(z);
    const float fx = x - float(ix), fz = z - float(iz);
    const Level& level = Level::instance();
    const int h0 = level.heightAt(ix, iz);
    const int h1 = level.heightAt(int(x + cellSize * fx), int(z + cellSize * fz));
    const float w = (fx + fz) / 2;
    return float(h1) * w + float(h0) * (1 - w);
}
