// Textures from TGA files, each path read and uploaded once for the whole run.
#pragma once

#include <string>
#include <unordered_map>

#include "common/Gl.h"

// The process-wide cache, keyed by the path exactly as the caller gave it. Entries are only added, and their
// GL names live as long as the context.
class TextureCache {
   public:
    static TextureCache& instance();

    // Whether path is settled: loaded (texture is its name) or found unreadable (texture is 0). No GL call.
    bool find(const char* path, GLuint& texture) const;
    void add(const char* path, GLuint texture);
    size_t size() const { return entries_.size(); }

    // Forgets every entry (for tools and tests that start a new GL context; the names are not deleted).
    void clear() { entries_.clear(); }

   private:
    std::unordered_map<std::string, GLuint> entries_;
};

// The GL texture name for the picture at path, loading it on the first request; 0 on failure. A load leaves
// the new texture bound; a cache hit changes no GL state. A picture that cannot be read is tried once while
// a context exists; a request made while no context exists is not cached, so the path loads once one does.
GLuint loadTexture(const char* path);
