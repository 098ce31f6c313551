#include "HeightPicture.h"

#include <png.h>

#include <csetjmp>
#include <cstring>

#include "common/WholeFile.h"

namespace {

// libpng reports errors by longjmp; the message is kept for the one line the tool prints.
void keepError(png_structp png, png_const_charp message) {
    *static_cast<std::string*>(png_get_error_ptr(png)) = message;
    png_longjmp(png, 1);
}
void ignoreWarning(png_structp, png_const_charp) {}

constexpr size_t maxDeflateRatio = 1032;  // the most bytes deflate makes of one

// The PNG's bytes as libpng reads them: a read past the end is a file cut short.
struct MemorySource {
    const unsigned char* data;
    size_t size, position;
};
void readFromMemory(png_structp png, png_bytep out, png_size_t length) {
    MemorySource& source = *static_cast<MemorySource*>(png_get_io_ptr(png));
    if (length > source.size - source.position) png_error(png, "the file ends inside the picture");
    std::memcpy(out, source.data + source.position, length);
    source.position += length;
}

}  // namespace

bool readHeightPicture(const std::string& path, HeightPicture& picture, std::string& error) {
    std::vector<unsigned char> bytes;
    std::string why;
    if (!readWholeFile(path.c_str(), maxHeightPictureBytes, bytes, why)) {
        error = path + ": " + (why.empty() ? "cannot be opened" : why);
        return false;
    }
    if (readHeightPictureFromMemory(bytes.data(), bytes.size(), picture, error)) return true;
    error = path + ": " + error;
    return false;
}

bool readHeightPictureFromMemory(const unsigned char* data, size_t size, HeightPicture& picture, std::string& error) {
    MemorySource source{data, size, 0};
    std::string reason;
    std::vector<unsigned char> rows;
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &reason, keepError, ignoreWarning);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!png || !info) {
        png_destroy_read_struct(&png, nullptr, nullptr);
        error = "no memory to read it";
        return false;
    }
    png_uint_32 width = 0, height = 0;
    int bitDepth = 0;
    // Every C++ object above lives on when libpng jumps back here.
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, &info, nullptr);
        error = "not a readable PNG (" + reason + ")";
        return false;
    }
    png_set_read_fn(png, &source, readFromMemory);
    // No chunk is larger than the file: a length that says otherwise is refused before libpng makes room for
    // it. Text, colour profiles and suggested palettes say nothing of heights: they are skipped unread.
    png_set_chunk_malloc_max(png, png_alloc_size_t(size) + 1);
    static const png_byte skipped[] = "tEXt\0zTXt\0iTXt\0iCCP\0sPLT\0eXIf\0";
    png_set_keep_unknown_chunks(png, PNG_HANDLE_CHUNK_NEVER, skipped, 6);
    png_set_keep_unknown_chunks(png, PNG_HANDLE_CHUNK_NEVER, nullptr, 0);
    png_read_info(png, info);
    width = png_get_image_width(png, info);
    height = png_get_image_height(png, info);
    bitDepth = png_get_bit_depth(png, info);
    const int colourType = png_get_color_type(png, info);
    if (width > unsigned(maxHeightPictureSide) || height > unsigned(maxHeightPictureSide) ||
        width < unsigned(minHeightPictureSide) || height < unsigned(minHeightPictureSide)) {
        png_destroy_read_struct(&png, &info, nullptr);
        error = std::to_string(width) + " by " + std::to_string(height) + " pixels; a height picture is " +
                std::to_string(minHeightPictureSide) + " to " + std::to_string(maxHeightPictureSide) + " on a side";
        return false;
    }
    // The samples as they are stored, as grey: no gamma is applied, since these are heights, not light.
    if (colourType == PNG_COLOR_TYPE_PALETTE) png_set_palette_to_rgb(png);
    if (colourType == PNG_COLOR_TYPE_GRAY && bitDepth < 8) png_set_expand_gray_1_2_4_to_8(png);
    // Transparency is not height: an alpha channel, or the one a tRNS chunk would expand into, is dropped.
    if (png_get_valid(png, info, PNG_INFO_tRNS)) png_set_tRNS_to_alpha(png);
    png_set_strip_alpha(png);
    if (colourType & PNG_COLOR_MASK_COLOR || colourType == PNG_COLOR_TYPE_PALETTE)
        png_set_rgb_to_gray_fixed(png, 1, -1, -1);
    if (bitDepth == 16) png_set_swap(png);  // little-endian samples
    // Deflate packs at most about 1032 bytes into one: a file far smaller than its picture's samples cannot
    // hold them, and is refused before anything is made for them.
    const size_t storedBytes = size_t(png_get_rowbytes(png, info)) * height;
    if (storedBytes / maxDeflateRatio > size) png_error(png, "the file is far too small for its picture");
    const int passes = png_set_interlace_handling(png);
    png_read_update_info(png, info);
    if (png_get_channels(png, info) != 1) png_error(png, "its samples do not turn into one grey channel");
    const size_t rowBytes = png_get_rowbytes(png, info);
    const bool sixteenBits = png_get_bit_depth(png, info) == 16;
    // Row by row, so that a picture cut short costs only the rows it holds; an interlaced one needs them all.
    rows.resize(passes > 1 ? rowBytes * height : rowBytes);
    picture.values.clear();
    for (int pass = 0; pass < passes; ++pass) {
        for (png_uint_32 r = 0; r < height; ++r) {
            unsigned char* row = &rows[passes > 1 ? rowBytes * r : 0];
            png_read_row(png, row, nullptr);
            if (passes > 1 && pass + 1 < passes) continue;
            for (png_uint_32 c = 0; c < width; ++c) {
                const unsigned char* p = row + (sixteenBits ? 2 : 1) * c;
                picture.values.push_back(sixteenBits ? uint16_t(p[0] | (p[1] << 8)) : uint16_t(p[0] * 257));
            }
        }
    }
    png_destroy_read_struct(&png, &info, nullptr);
    picture.width = int(width);
    picture.height = int(height);
    return true;
}

bool shrinkToFit(HeightPicture& picture, int maxSide, std::string& error) {
    int width = picture.width, height = picture.height;
    while (width > maxSide || height > maxSide) width /= 2, height /= 2;
    if (width < minHeightPictureSide || height < minHeightPictureSide) {
        error = std::to_string(picture.width) + " by " + std::to_string(picture.height) +
                " pixels would be halved to " + std::to_string(width) + " by " + std::to_string(height) +
                " to fit the game's " + std::to_string(maxSide) + "; a level is at least " +
                std::to_string(minHeightPictureSide) + " on a side";
        return false;
    }
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
    return true;
}
