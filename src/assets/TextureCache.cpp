// Textures from TGA files: the cache lookup, the channel swap and the upload.
#include "assets/TextureCache.h"

#include <cstring>

#include "assets/Tga.h"

TextureCache& TextureCache::instance() {
    static TextureCache cache;
    return cache;
}

bool TextureCache::find(const char* path, GLuint& texture) const {
    const auto entry = entries_.find(path);
    if (entry == entries_.end()) return false;
    texture = entry->second;
    return true;
}

void TextureCache::add(const char* path, GLuint texture) { entries_.emplace(path, texture); }

GLuint loadTexture(const char* path) {
    if (!path) return 0;
    TextureCache& cache = TextureCache::instance();
    GLuint cached = 0;
    if (cache.find(path, cached)) return cached;

    TgaImage image;
    if (!readTga(path, image)) {
        // Remembered only once a context exists, as a loaded name would be.
        if (glGetString(GL_VERSION)) cache.add(path, 0);
        return 0;
    }

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

    if (name != 0) cache.add(path, name);  // name 0: no context yet, so try again later
    return name;
}
