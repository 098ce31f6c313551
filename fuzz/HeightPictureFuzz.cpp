// Fuzz target: the level generator's height-picture reader (PNG through libpng) on any file image.
#include <cstdint>
#include <string>

#include "HeightPicture.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    HeightPicture picture;
    std::string error;
    if (readHeightPictureFromMemory(data, size, picture, error)) {
        // What was read is one height a pixel, within the sides a height picture may have.
        if (picture.values.size() != size_t(picture.width) * size_t(picture.height) ||
            picture.width < minHeightPictureSide || picture.width > maxHeightPictureSide ||
            picture.height < minHeightPictureSide || picture.height > maxHeightPictureSide)
            __builtin_trap();
    } else if (error.empty()) {
        __builtin_trap();  // every refusal says why
    }
    return 0;
}
