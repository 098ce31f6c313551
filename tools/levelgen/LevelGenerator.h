// The level generator: terrain picture and object map from a seed.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "assets/Tga.h"
#include "world/LevelFormat.h"

// The largest level on a side: the game reads pictures up to this size.
constexpr int maxLevelSide = maxPictureSide;

struct LevelOptions {
    uint64_t seed = 1;
    int width = 2048;       // pixels along x: the start looks down the long axis
    int height = 768;       // pixels along z
    bool scenery = true;    // false: no trees, rocks, plants (the towers and the start stay)
    int stressTowers = 0;   // more than 0: a stress level instead, towers firing every frame (see below)
    int stressTargets = 8;  // target points of each stress tower
};

struct GeneratedLevel {
    int width = 0, height = 0;
    std::vector<unsigned char> terrain;  // B G R A per pixel, alpha = half the height
    std::vector<unsigned char> objects;  // tower code, object code, target code, parameter per pixel
    int startColumn = 0, startRow = 0;
};

GeneratedLevel generateLevel(const LevelOptions& options);

// A level on the heights of a picture (its size, at most 4096 on a side), scaled into the range the chase
// camera suits, with the generator's colouring, scenery, towers on its hills and a start near its middle.
struct HeightPicture;
GeneratedLevel generateLevelFromHeights(const HeightPicture& picture, const LevelOptions& options);

// A level for load tests: gentle hills, the start in the middle weaving room around it, and stressTowers
// towers with reload code 0 (a volley every updated frame), each with stressTargets target points around the
// start.
GeneratedLevel generateStressLevel(const LevelOptions& options);

// Writes the whole data tree (pictures, textures, models, sounds) as dataDir, for the level given (or, without
// one, the level the options describe): built beside it and swapped in whole, one run at a time. Returns the
// exit code: 0 written; 2 what stands at dataDir is not a level to replace; 1 a write failed; 128 + the
// signal that stopped it. Anything but 0 leaves what was at dataDir as it was, with problem the one line
// that says why.
int writeLevelData(const std::string& dataDir, const LevelOptions& options, const GeneratedLevel* given,
                   std::string& problem);
