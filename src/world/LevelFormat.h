// A level's files and their layout, said once: the game reads them, the level generator writes them and the
// tests build them from these names.
#pragma once

// The files, relative to the game's folder.
inline constexpr const char* terrainFile = "data/level1.tga";
inline constexpr const char* objectMapFile = "data/level1objects.tga";
inline constexpr const char* detailTextureFile = "data/textures/detail.tga";
inline constexpr const char* particleTextureFile = "data/textures/particle.tga";
// The models are in objects/EntityKinds.h, with the kinds that use them.

// The terrain picture: 32-bit BGRA, one height sample per pixel in alpha, cellSize world units apart and
// heightScale world units per step of alpha.
constexpr int cellSize = 24;
constexpr int heightScale = 2;

// The object map: a picture of the terrain's size, four bytes per pixel, each byte with its role.
constexpr int objectMapBytesPerPixel = 4;
enum ObjectMapByte { towerCodeByte = 0, objectCodeByte = 1, targetCodeByte = 2, parameterByte = 3 };
// What the object byte places is in objects/EntityKinds.h: each kind with its code (0 places nothing). The
// parameter byte is the ship's start heading (x 360/255 degrees) under its code, and a tower's reload code. A
// tower code (1 to 255) in the tower byte places a tower, firing every parameter x 250 ms at the pixels whose
// target byte holds the same code.

// The sounds are in app/SoundTable.h, a row each.
