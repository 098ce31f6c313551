// A small PNG writer (stored deflate blocks, no compression library needed) for the simulation's screenshots.
#pragma once

#include <string>
#include <vector>

// rgb: width * height * 3 bytes, top row first.
bool writePng(const std::string& path, int width, int height, const std::vector<unsigned char>& rgb);
