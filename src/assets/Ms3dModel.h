// Ms3dModel: a Model read from an MS3D file (versions 3 and 4, static meshes only).
#pragma once

#include <cstddef>
#include <string>

#include "assets/Model.h"

// The largest model the game reads. Vertex and triangle counts are the format's own 16-bit limits.
namespace modelLimits {
constexpr size_t fileBytes = 16u << 20;
constexpr size_t groups = 4096;
constexpr size_t materials = 4096;
}  // namespace modelLimits

class Ms3dModel : public Model {
   public:
    bool load(const char* path) override;

    // Parses a whole file image. Every count, index and record is checked against the image and the
    // arrays; anything that does not fit makes the load fail with the model left as it was. When the refusal
    // is one worth telling (over a limit, out of memory), refusal says why.
    bool loadFromMemory(const unsigned char* data, size_t size, std::string* refusal = nullptr);

   private:
    bool parse(const unsigned char* data, size_t size, std::string* refusal);
};
