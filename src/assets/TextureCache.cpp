// Textures from TGA files: the cache lookup, the channel swap and the upload.
#include "assets/TextureCache.h"

#include <cstring>

#include "assets/Tga.h"

TextureCache& TextureCache::instance() {
    static TextureCache cache;
    return cache;
}

GLuint TextureCache::find(const char* path) const {
    for (const TextureCacheEntry& entry : entries_) {
        if (entry.path == path) return entry.texture;
    }
    return 0;
}

void TextureCache::append(const char* path, GLuint texture) { entries_.push_back(TextureCacheEntry{path, texture}); }

GLuint loadTexture(const char* path) {
    if (!path) return 0;
    TextureCache& cache = TextureCache::instance();
    if (GLuint cached = cache.find(path)) return cached;

    TgaImage image;
    if (!readTga(path, image)) return 0;

    const int bpp = image.bytesPerPixel;
    for (size_t i = 0; i + 2 < image.pixels.size(); i += bpp) std::swap(image.pixels[i], image.pixels[i + 2]);

    GLuint name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    // Rows are tightly packed; a 24-bit row need not be a multiple of 4 bytes long.
    GLint previousAlignment = 4;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &previousAlignment);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    const GLenum format = bpp == 3 ? GL_RGB : GL_RGBA;
    glTexImage2D(GL_TEXTURE_2D, 0, format, image.width, image.height, 0, format, GL_UNSIGNED_BYTE, image.pixels.data());
    glPixelStorei(GL_UNPACK_ALIGNMENT, previousAlignment);

    if (name != 0) cache.append(path, name);  // name 0: no context yet, so try again later
    return name;
}
