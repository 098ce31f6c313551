// Textures from TGA files, each path read and uploaded once for the whole run.
#pragma once

#include <string>
#include <vector>

#include "common/Gl.h"

struct TextureCacheEntry {
    std::string path;  // exactly as the caller gave it
    GLuint texture;
};

// The process-wide cache: entries are only appended, and their GL names live as long as the context.
class TextureCache {
   public:
    static TextureCache& instance();

    // The texture name cached for path, or 0 when the path has not loaded yet. No allocation, no GL call.
    GLuint find(const char* path) const;
    void append(const char* path, GLuint texture);
    size_t size() const { return entries_.size(); }

    // Forgets every entry (for tools and tests that start a new GL context; the names are not deleted).
    void clear() { entries_.clear(); }

   private:
    std::vector<TextureCacheEntry> entries_;
};

// The GL texture name for the picture at path, loading it on the first request; 0 on failure.
// A load leaves the new texture bound; a cache hit changes no GL state. A request made while no GL
// context hands out names is not cached, so the path loads once a context exists.
GLuint loadTexture(const char* path);
