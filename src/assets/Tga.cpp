// TGA pictures: reading the accepted variant, refusing everything else with nothing read out of bounds.
#include "assets/Tga.h"

#include <cstdint>
#include <cstring>
#include <new>

#include "common/ByteReader.h"
#include "common/Report.h"
#include "common/WholeFile.h"

namespace {

// ID length 0, no colour map, type 2 (uncompressed true-colour), zero colour-map fields and origin.
const unsigned char acceptedHeader[12] = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0};
constexpr size_t headerBytes = tgaHeaderBytes;

struct TgaLayout {
    int width = 0, height = 0, bytesPerPixel = 0;
    size_t blockSize = 0;  // the pixel block, which starts right after the header
};

// Checks the header, the size limit, and that the file holds the whole pixel block the header promises.
bool readLayout(const unsigned char* data, size_t size, TgaLayout& layout, std::string* refusal) {
    ByteReader in(data, size);
    const unsigned char* header = in.take(sizeof acceptedHeader);
    const auto refuse = [refusal](const std::string& why) {
        if (refusal) *refusal = why + ": not read";
        return false;
    };
    if (!header || std::memcmp(header, acceptedHeader, sizeof acceptedHeader) != 0)
        return refuse("not an uncompressed true-colour TGA");
    const int width = in.u16();
    const int height = in.u16();
    const int depth = in.u8();
    in.skip(1);  // the descriptor: origin and alpha bits, which the game does not read
    if (!in.ok()) return refuse("a header cut short");
    if (width == 0 || height == 0) return refuse("a picture without pixels");
    if (depth != 24 && depth != 32) return refuse(std::to_string(depth) + "-bit pixels (24 or 32 are read)");
    if (width > maxPictureSide || height > maxPictureSide) {
        return refuse(std::to_string(width) + " by " + std::to_string(height) + " pixels, larger than the " +
                      std::to_string(maxPictureSide) + " by " + std::to_string(maxPictureSide) + " a picture may be");
    }
    layout.width = width;
    layout.height = height;
    layout.bytesPerPixel = depth / 8;
    layout.blockSize = size_t(layout.bytesPerPixel) * size_t(height) * size_t(width);
    // A file shorter than its pixel block is refused before the block is allocated.
    return in.take(layout.blockSize) != nullptr || refuse("cut short of its pixels");
}

void describe(const TgaLayout& layout, TgaImage& image) {
    image.width = layout.width;
    image.height = layout.height;
    image.bytesPerPixel = layout.bytesPerPixel;
}

}  // namespace

bool readTgaFromMemory(const unsigned char* data, size_t size, TgaImage& image, std::string* refusal) {
    image = TgaImage();
    TgaLayout layout;
    if (!readLayout(data, size, layout, refusal)) return false;
    try {
        image.pixels.assign(data + headerBytes, data + headerBytes + layout.blockSize);
    } catch (const std::bad_alloc&) {
        if (refusal) *refusal = "not enough memory for its pixels";
        return false;
    }
    describe(layout, image);
    return true;
}

bool readTga(const char* path, TgaImage& image) {
    image = TgaImage();
    std::vector<unsigned char> file;
    if (!readWholeFile(path, maxPictureFileBytes, file)) return false;
    TgaLayout layout;
    std::string refusal;
    if (!readLayout(file.data(), file.size(), layout, &refusal)) {
        if (!refusal.empty()) reportRefusal(path, refusal);
        return false;
    }
    // The file's own buffer becomes the pixels: a large picture is never held twice.
    file.erase(file.begin(), file.begin() + long(headerBytes));
    file.resize(layout.blockSize);
    image.pixels = std::move(file);
    describe(layout, image);
    return true;
}
