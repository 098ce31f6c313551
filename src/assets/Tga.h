// TGA pictures: the one accepted variant (uncompressed true-colour, 24 or 32 bits) read into memory.
#pragma once

#include <vector>

struct TgaImage {
    int width = 0;
    int height = 0;
    int bytesPerPixel = 0;              // 3 or 4
    std::vector<unsigned char> pixels;  // width * height * bytesPerPixel bytes, file order, B G R [A]
};

// Reads the picture at path into image. On failure returns false and leaves image empty.
bool readTga(const char* path, TgaImage& image);
