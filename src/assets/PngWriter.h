// A small PNG writer (stored deflate blocks, no compression library needed) for screenshots.
#pragma once

#include <vector>

// The PNG file of an image; rgb: width * height * 3 bytes, top row first. Empty when the sizes do not agree.
std::vector<unsigned char> encodePng(int width, int height, const std::vector<unsigned char>& rgb);
