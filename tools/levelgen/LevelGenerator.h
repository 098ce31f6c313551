// The level generator: terrain picture and object map from a seed.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct LevelOptions {
    uint64_t seed = 1;
    int width = 2048;   // pixels along x: the start looks down the long axis
    int height = 768;   // pixels along z
};

struct GeneratedLevel {
    int width = 0, height = 0;
    std::vector<unsigned char> terrain;  // B G R A per pixel, alpha = half the height
    std::vector<unsigned char> objects;  // tower code, object code, target code, parameter per pixel
    int startColumn = 0, startRow = 0;
};

GeneratedLevel generateLevel(const LevelOptions& options);

// Writes the whole data tree (pictures, textures, models) under dataDir. False if any file failed.
bool writeLevelData(const std::string& dataDir, const LevelOptions& options);
