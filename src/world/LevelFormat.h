// A level's files and their layout, said once: the game reads them, the level generator writes them and the
// tests build them from these names.
#pragma once

// The files, relative to the game's folder.
inline constexpr const char* terrainFile = "data/level1.tga";
inline constexpr const char* objectMapFile = "data/level1objects.tga";
inline constexpr const char* detailTextureFile = "data/textures/detail.tga";
inline constexpr const char* particleTextureFile = "data/textures/particle.tga";
inline constexpr const char* shipModelFile = "data/models/ship.ms3d";
inline constexpr const char* towerModelFile = "data/models/tower.ms3d";
inline constexpr const char* shotModelFile = "data/models/shot.ms3d";
inline constexpr const char* explosionModelFile = "data/models/Explosion.ms3d";
// Each kind of scenery takes one of its models at random.
inline constexpr const char* treeModelFiles[] = {"data/models/tree1.ms3d", "data/models/tree2.ms3d",
                                                 "data/models/tree3.ms3d"};
inline constexpr const char* rockModelFiles[] = {"data/models/rock1.ms3d", "data/models/rock2.ms3d",
                                                 "data/models/rock3.ms3d"};
inline constexpr const char* plantModelFiles[] = {"data/models/mushroom1.ms3d", "data/models/mushroom2.ms3d",
                                                  "data/models/plant1.ms3d", "data/models/plant2.ms3d"};
inline constexpr const char* smallRockModelFiles[] = {"data/models/smallrock1.ms3d", "data/models/smallrock2.ms3d"};

// The terrain picture: 32-bit BGRA, one height sample per pixel in alpha, cellSize world units apart and
// heightScale world units per step of alpha.
constexpr int cellSize = 24;
constexpr int heightScale = 2;

// The object map: a picture of the terrain's size, four bytes per pixel, each byte with its role.
constexpr int objectMapBytesPerPixel = 4;
enum ObjectMapByte { towerCodeByte = 0, objectCodeByte = 1, targetCodeByte = 2, parameterByte = 3 };
// What the object byte places: the ship's start (its parameter byte is ignored) or a kind of scenery. A
// tower code (1 to 255) in the tower byte places a tower, firing every parameter x 250 ms at the pixels
// whose target byte holds the same code.
enum ObjectCode { shipStartCode = 1, treeCode = 3, rockCode, plantCode, smallRockCode };

// The sounds, 16-bit PCM WAV (any the WAV reader takes plays): heard from the ship, each silent when its file
// is missing or refused.
inline constexpr const char* volleySoundFile = "data/sounds/volley.wav";
inline constexpr const char* burstSoundFile = "data/sounds/burst.wav";
inline constexpr const char* hitSoundFile = "data/sounds/hit.wav";
inline constexpr const char* sizzleSoundFile = "data/sounds/sizzle.wav";
inline constexpr const char* engineSoundFile = "data/sounds/engine.wav";
inline constexpr const char* leftWorldSoundFile = "data/sounds/notice.wav";
inline constexpr const char* returnSoundFile = "data/sounds/return.wav";
