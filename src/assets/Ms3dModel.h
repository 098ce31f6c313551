// Ms3dModel: a Model read from an MS3D file (versions 3 and 4, static meshes only).
#pragma once

#include <cstddef>

#include "assets/Model.h"

class Ms3dModel : public Model {
   public:
    bool load(const char* path) override;

    // Parses a whole file image. Every count, index and record is checked against the image and the
    // arrays; anything that does not fit makes the load fail with the model left as it was.
    bool loadFromMemory(const unsigned char* data, size_t size);
};
