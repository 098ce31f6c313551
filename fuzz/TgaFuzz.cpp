// Fuzz target: the TGA reader on any file image.
#include <cstdint>

#include "assets/Tga.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    TgaImage image;
    if (readTgaFromMemory(data, size, image)) {
        // What was read must be exactly the block the header promises, within the size limit.
        if (image.pixels.size() != size_t(image.width) * size_t(image.height) * size_t(image.bytesPerPixel) ||
            image.width > maxPictureSide || image.height > maxPictureSide)
            __builtin_trap();
    } else if (!image.pixels.empty()) {
        __builtin_trap();  // a refusal leaves the picture empty
    }
    return 0;
}
