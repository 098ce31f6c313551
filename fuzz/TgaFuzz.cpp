// Fuzz target: readTga on any file.
#include <cstdint>

#include "FuzzInput.h"
#include "assets/Tga.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string path = writeFuzzInput(data, size, ".tga");
    TgaImage image;
    if (readTga(path.c_str(), image)) {
        // What was read must be exactly the block the header promises.
        if (image.pixels.size() != size_t(image.width) * size_t(image.height) * size_t(image.bytesPerPixel))
            __builtin_trap();
    }
    return 0;
}
