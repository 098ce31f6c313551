// A height picture a player already has (a grey PNG: a digital elevation model from a GIS tool, or one
// painted in an image editor), read with libpng.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// The largest picture taken on either side (it is halved until it fits the game's 4096), and the smallest.
constexpr int maxHeightPictureSide = 8192;
constexpr int minHeightPictureSide = 16;
// The largest PNG file taken: an 8192 by 8192 picture of 16-bit grey with room to spare.
constexpr size_t maxHeightPictureBytes = 256u << 20;

struct HeightPicture {
    int width = 0, height = 0;
    std::vector<uint16_t> values;  // row by row from the top, 0 to 65535 (an 8-bit picture's 255 is 65535)
};

// Reads a PNG of any kind (colour is turned to grey, transparency dropped); false with a one-line reason
// when the file is not a readable PNG or its size is absurd. Only a regular file is read, whole: a FIFO or a
// device is refused, never opened.
bool readHeightPicture(const std::string& path, HeightPicture& picture, std::string& error);
// The same on the bytes of a PNG file; error is the reason alone.
bool readHeightPictureFromMemory(const unsigned char* data, size_t size, HeightPicture& picture, std::string& error);

// Halves the picture (averaging 2 by 2 blocks) until neither side is over maxSide. False, with the reason,
// when a side would fall under minHeightPictureSide on the way (a long thin strip): the picture is then kept.
bool shrinkToFit(HeightPicture& picture, int maxSide, std::string& error);
