// TGA pictures: the one accepted variant (uncompressed true-colour, 24 or 32 bits) read into memory.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

struct TgaImage {
    int width = 0;
    int height = 0;
    int bytesPerPixel = 0;              // 3 or 4
    std::vector<unsigned char> pixels;  // width * height * bytesPerPixel bytes, file order, B G R [A]
};

// The largest picture the game reads, on either side: terrains, object maps and textures alike.
constexpr int maxPictureSide = 4096;
constexpr size_t tgaHeaderBytes = 18;
// The largest picture file read: the largest 32-bit picture with room for what may follow its pixels (a TGA
// 2.0 extension area and footer). The level's pictures are read whole for a demo's digest within it too.
constexpr size_t maxPictureFileBytes = tgaHeaderBytes + size_t(maxPictureSide) * maxPictureSide * 4 + (1u << 20);

// Parses a whole file image into image. On failure returns false and leaves image empty; when the refusal
// is one worth telling (over the size limit, out of memory), refusal says why.
bool readTgaFromMemory(const unsigned char* data, size_t size, TgaImage& image, std::string* refusal = nullptr);

// Reads the picture at path into image. On failure returns false and leaves image empty; a picture over the
// size limit, or one that does not fit in memory, is also reported on stderr.
bool readTga(const char* path, TgaImage& image);
