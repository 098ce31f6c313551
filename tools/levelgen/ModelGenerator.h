// The level's models and their skins: ship, shot, tower, explosion and the twelve scenery models.
#pragma once

#include <cstdint>
#include <string>

// Writes every model under dataDir/models and their skins beside them. The skins are named in the
// models by paths relative to the game's working directory ("data/models/...").
bool writeModels(const std::string& dataDir, uint64_t seed);

// Writes the terrain detail texture and the particle texture under dataDir/textures.
bool writeTextures(const std::string& dataDir, uint64_t seed);
