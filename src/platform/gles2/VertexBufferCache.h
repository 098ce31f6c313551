// Corners drawn from the game's client arrays are mostly the same every frame (the ground's tiles, the models):
// kept in buffers on the GPU, a draw that gathers the same corners as last time from the same array draws from
// its buffer instead of sending them again. The corners are compared whole, so an array the game changed is
// always sent anew: GL's rule that arrays are read at the draw holds.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <tuple>
#include <vector>

#include "platform/gles2/EsFunctions.h"

namespace gles2 {

struct Vertex;

// A draw from client arrays: its vertex array's address, the range drawn and the primitive.
struct ArrayDraw {
    const void* pointer;
    GLint first;
    GLsizei count;
    GLenum mode;
    bool operator<(const ArrayDraw& o) const {
        return std::tie(pointer, first, count, mode) < std::tie(o.pointer, o.first, o.count, o.mode);
    }
};

class VertexBufferCache {
   public:
    // Kept corners at most, in bytes; past it the buffers drawn longest ago are let go.
    static constexpr size_t capacityBytes = 48u << 20;

    // The buffer holding these corners for this draw, sent now only if they are new or changed.
    GLuint buffer(const EsFunctions& es, const ArrayDraw& draw, const std::vector<Vertex>& corners);
    // Lets every buffer go (the context is ending or starting again).
    void clear(const EsFunctions& es);

   private:
    struct Kept {
        GLuint buffer = 0;
        std::vector<Vertex> corners;
        uint64_t lastUse = 0;
    };
    void makeRoom(const EsFunctions& es);

    std::map<ArrayDraw, Kept> kept_;
    size_t bytes_ = 0;
    uint64_t uses_ = 0;
};

}  // namespace gles2
