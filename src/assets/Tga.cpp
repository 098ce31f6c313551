// TGA pictures: reading the accepted variant, refusing everything else with nothing read out of bounds.
#include "assets/Tga.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <new>

namespace {

// ID length 0, no colour map, type 2 (uncompressed true-colour), zero colour-map fields and origin.
const unsigned char acceptedHeader[12] = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0};

struct FileCloser {
    void operator()(FILE* f) const { std::fclose(f); }
};

long bytesLeft(FILE* f) {
    long here = std::ftell(f);
    if (here < 0 || std::fseek(f, 0, SEEK_END) != 0) return -1;
    long end = std::ftell(f);
    if (end < 0 || std::fseek(f, here, SEEK_SET) != 0) return -1;
    return end - here;
}

}  // namespace

bool readTga(const char* path, TgaImage& image) {
    image = TgaImage();
    if (!path) return false;
    std::unique_ptr<FILE, FileCloser> file(std::fopen(path, "rb"));
    if (!file) return false;

    unsigned char header[12];
    if (std::fread(header, 1, sizeof header, file.get()) != sizeof header) return false;
    if (std::memcmp(header, acceptedHeader, sizeof header) != 0) return false;

    unsigned char info[6];
    if (std::fread(info, 1, sizeof info, file.get()) != sizeof info) return false;
    const int width = info[0] + 256 * info[1];
    const int height = info[2] + 256 * info[3];
    const int depth = info[4];
    if (width == 0 || height == 0) return false;
    if (depth != 24 && depth != 32) return false;

    const uint64_t size = uint64_t(depth / 8) * uint64_t(height) * uint64_t(width);
    if (size > 0xffffffffu) return false;  // the block's size must fit in 32 bits
    // A file shorter than its pixel block is refused before the block is allocated.
    const long left = bytesLeft(file.get());
    if (left < 0 || uint64_t(left) < size) return false;

    std::vector<unsigned char> pixels;
    try {
        pixels.resize(size_t(size));
    } catch (const std::bad_alloc&) {
        return false;
    }
    if (std::fread(pixels.data(), 1, pixels.size(), file.get()) != pixels.size()) return false;

    image.width = width;
    image.height = height;
    image.bytesPerPixel = depth / 8;
    image.pixels = std::move(pixels);
    return true;
}
