// A height picture a player already has (a grey PNG: a digital elevation model from a GIS tool, or one
// painted in an image editor), read with libpng.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The largest picture taken on either side (it is halved until it fits the game's 4096), and the smallest.
constexpr int maxHeightPictureSide = 8192;
constexpr int minHeightPictureSide = 16;

struct HeightPicture {
    int width = 0, height = 0;
    std::vector<uint16_t> values;  // row by row from the top, 0 to 65535 (an 8-bit picture's 255 is 65535)
};

// Reads a PNG of any kind (colour is turned to grey); false with a one-line reason when the file is not a
// readable PNG or its size is absurd.
bool readHeightPicture(const std::string& path, HeightPicture& picture, std::string& error);

// Halves the picture (averaging 2 by 2 blocks) until neither side is over maxSide.
void shrinkToFit(HeightPicture& picture, int maxSide);
