#include "HeightPicture.h"

#include <png.h>

#include <csetjmp>
#include <cstdio>
#include <memory>

namespace {

// libpng reports errors by longjmp; the message is kept for the one line the tool prints.
void keepError(png_structp png, png_const_charp message) {
    *static_cast<std::string*>(png_get_error_ptr(png)) = message;
    png_longjmp(png, 1);
}
void ignoreWarning(png_structp, png_const_charp) {}

}  // namespace

bool readHeightPicture(const std::string& path, HeightPicture& picture, std::string& error) {
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"), std::fclose);
    if (!file) {
        error = path + ": cannot be opened";
        return false;
    }
    std::string reason;
    std::vector<unsigned char> rows;
    std::vector<png_bytep> rowPointers;
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &reason, keepError, ignoreWarning);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!png || !info) {
        png_destroy_read_struct(&png, nullptr, nullptr);
        error = path + ": no memory to read it";
        return false;
    }
    png_uint_32 width = 0, height = 0;
    int bitDepth = 0;
    // Every C++ object above lives on when libpng jumps back here.
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, &info, nullptr);
        error = path + ": not a readable PNG (" + reason + ")";
        return false;
    }
    png_init_io(png, file.get());
    png_read_info(png, info);
    width = png_get_image_width(png, info);
    height = png_get_image_height(png, info);
    bitDepth = png_get_bit_depth(png, info);
    const int colourType = png_get_color_type(png, info);
    if (width > unsigned(maxHeightPictureSide) || height > unsigned(maxHeightPictureSide) ||
        width < unsigned(minHeightPictureSide) || height < unsigned(minHeightPictureSide)) {
        png_destroy_read_struct(&png, &info, nullptr);
        error = path + ": " + std::to_string(width) + " by " + std::to_string(height) + " pixels; a height picture is " +
                std::to_string(minHeightPictureSide) + " to " + std::to_string(maxHeightPictureSide) + " on a side";
        return false;
    }
    // The samples as they are stored, as grey: no gamma is applied, since these are heights, not light.
    if (colourType == PNG_COLOR_TYPE_PALETTE) png_set_palette_to_rgb(png);
    if (colourType == PNG_COLOR_TYPE_GRAY && bitDepth < 8) png_set_expand_gray_1_2_4_to_8(png);
    if (colourType & PNG_COLOR_MASK_ALPHA) png_set_strip_alpha(png);
    if (colourType & PNG_COLOR_MASK_COLOR || colourType == PNG_COLOR_TYPE_PALETTE)
        png_set_rgb_to_gray_fixed(png, 1, -1, -1);
    if (bitDepth == 16) png_set_swap(png);  // little-endian samples
    png_read_update_info(png, info);
    const size_t rowBytes = png_get_rowbytes(png, info);
    const bool sixteenBits = png_get_bit_depth(png, info) == 16;
    rows.resize(rowBytes * height);
    rowPointers.resize(height);
    for (png_uint_32 r = 0; r < height; ++r) rowPointers[r] = &rows[rowBytes * r];
    png_read_image(png, rowPointers.data());
    png_destroy_read_struct(&png, &info, nullptr);

    picture.width = int(width);
    picture.height = int(height);
    picture.values.resize(size_t(width) * size_t(height));
    for (png_uint_32 r = 0; r < height; ++r)
        for (png_uint_32 c = 0; c < width; ++c) {
            const unsigned char* p = &rows[rowBytes * r + (sixteenBits ? 2 : 1) * c];
            picture.values[size_t(r) * width + c] = sixteenBits ? uint16_t(p[0] | (p[1] << 8)) : uint16_t(p[0] * 257);
        }
    return true;
}

void shrinkToFit(HeightPicture& picture, int maxSide) {
    while (picture.width > maxSide || picture.height > maxSide) {
        const int w = picture.width / 2, h = picture.height / 2;
        std::vector<uint16_t> half(size_t(w) * size_t(h));
        for (int r = 0; r < h; ++r)
            for (int c = 0; c < w; ++c) {
                uint32_t sum = 0;
                for (int dr = 0; dr < 2; ++dr)
                    for (int dc = 0; dc < 2; ++dc)
                        sum += picture.values[size_t(2 * r + dr) * size_t(picture.width) + size_t(2 * c + dc)];
                half[size_t(r) * size_t(w) + size_t(c)] = uint16_t(sum / 4);
            }
        picture = {w, h, std::move(half)};
    }
}
