// Small files for tests: pictures, models and levels built with our writers. Test files include this one
// header for the GL fixture, the writers, and the game's parts they drive.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "GlTest.h"
#include "Headless.h"
#include "Ms3dWriter.h"
#include "TgaWriter.h"
#include "app/FrameDriver.h"
#include "app/Input.h"
#include "app/KeyTable.h"
#include "app/SceneSetup.h"
#include "app/Viewport.h"
#include "assets/Ms3dModel.h"
#include "common/FrameClock.h"
#include "common/InputState.h"
#include "common/SceneTextures.h"

#include "objects/Explosion.h"
#include "objects/Ship.h"
#include "objects/Shot.h"
#include "objects/Tower.h"
#include "text/GlFont.h"
#include "view/Camera.h"
#include "world/Level.h"
#include "world/LevelFormat.h"

// A flat terrain of w by h pixels at alpha a, written to path.
void writeFlatTerrain(const std::string& path, int w, int h, int alpha);

// Writes a terrain of w by h pixels with alpha height(c, r) to a fresh folder and loads it into the Level.
bool loadTestTerrain(int w, int h, const std::function<int(int, int)>& height);
inline bool loadFlatTerrain(int w, int h, int alpha) {
    return loadTestTerrain(w, h, [alpha](int, int) { return alpha; });
}

// A one-triangle model, a right triangle from (0,0,0) to (10,0,0) and (0,10,0), with one material that
// names textureFile (possibly empty).
Ms3dContent oneTriangleModel(const std::string& textureFile = "");
// The model as the game reads it from a file of that content (its skins through the texture cache).
std::shared_ptr<Ms3dModel> modelFrom(const Ms3dContent& content);

// An object map of w by h pixels, all zero but the pixels set through set(c, r, b, g, r, a).
struct ObjectMap {
    int width, height;
    std::vector<unsigned char> pixels;
    ObjectMap(int w, int h) : width(w), height(h), pixels(size_t(w) * size_t(h) * 4) {}
    void set(int c, int r, int towerCode, int objectCode, int targetCode, int parameter) {
        unsigned char* p = &pixels[(size_t(r) * width + c) * objectMapBytesPerPixel];
        p[towerCodeByte] = static_cast<unsigned char>(towerCode);
        p[objectCodeByte] = static_cast<unsigned char>(objectCode);
        p[targetCodeByte] = static_cast<unsigned char>(targetCode);
        p[parameterByte] = static_cast<unsigned char>(parameter);
    }
    void write(const std::string& path) const;
};

// A new folder whose data/ holds a flat 64 by 64 terrain at alpha 10 (ground at 20) and this object map.
std::string writeLevelFolder(const ObjectMap& map);

// The entities of a type filed anywhere in the level, tile by tile in list order.
template <typename T>
std::vector<T*> filedEntities(int typeId) {
    std::vector<T*> out;
    for (auto& tile : Level::instance().tiles())
        for (auto& list : tile->lists)
            if (list->typeId == typeId)
                for (EntityNode* n = list->head; n; n = n->next) out.push_back(static_cast<T*>(n->entity));
    return out;
}

// Whether got lies within tolerance of want on every axis; where an entity stands.
::testing::AssertionResult closeTo(const Vector3& got, const Vector3& want, float tolerance = 1e-3f);
inline Vector3 positionOf(const Entity& e) { return Vector3(e.x, e.y, e.z); }

std::vector<unsigned char> bytesOf(const std::string& path);
void writeBytes(const std::string& path, const std::vector<unsigned char>& bytes);
