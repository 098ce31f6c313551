// TGA reading: the accepted variant, pictures written by ImageMagick, and every refused kind of file.
#include "assets/Tga.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <algorithm>
#include <fstream>
#include <iterator>

#include "GlTest.h"
#include "TgaWriter.h"

namespace {

std::string writeBytes(const std::string& dir, const std::string& name, const std::vector<unsigned char>& bytes) {
    const std::string path = dir + "/" + name;
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    return path;
}

// Runs ImageMagick; returns false when it is not there or fails.
bool magick(const std::string& arguments) {
    return std::system(("convert " + arguments + " 2>/dev/null").c_str()) == 0;
}

std::vector<unsigned char> fileBytes(const std::string& path, size_t offset, size_t count) {
    std::ifstream file(path, std::ios::binary);
    std::vector<unsigned char> all((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    if (offset >= all.size()) return {};
    return std::vector<unsigned char>(all.begin() + long(offset),
                                      all.begin() + long(std::min(all.size(), offset + count)));
}

}  // namespace

TEST(Tga, ReadsWhatOurWriterWrites) {
    const std::string dir = makeTempDir();
    const std::vector<unsigned char> pixels = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
    ASSERT_TRUE(writeTga(dir + "/a.tga", 2, 2, 3, pixels));
    TgaImage image;
    ASSERT_TRUE(readTga((dir + "/a.tga").c_str(), image));
    EXPECT_EQ(image.width, 2);
    EXPECT_EQ(image.height, 2);
    EXPECT_EQ(image.bytesPerPixel, 3);
    EXPECT_EQ(image.pixels, pixels);

    ASSERT_TRUE(writeTga(dir + "/one.tga", 1, 1, 4, {9, 8, 7, 6}));
    ASSERT_TRUE(readTga((dir + "/one.tga").c_str(), image));
    EXPECT_EQ(image.pixels, (std::vector<unsigned char>{9, 8, 7, 6}));
}

TEST(Tga, RefusesEveryFileOutsideTheAcceptedVariant) {
    const std::string dir = makeTempDir();
    const std::vector<unsigned char> good = tgaBytes(2, 2, 4, std::vector<unsigned char>(16, 7));
    auto refused = [&](const std::string& name, std::vector<unsigned char> bytes) {
        TgaImage image;
        const bool read = readTga(writeBytes(dir, name, bytes).c_str(), image);
        EXPECT_FALSE(read) << name;
        EXPECT_TRUE(image.pixels.empty()) << name;
    };
    auto with = [&](size_t offset, unsigned char value) {
        std::vector<unsigned char> b = good;
        b[offset] = value;
        return b;
    };
    refused("id", with(0, 1));
    refused("colourmap", with(1, 1));
    refused("rle", with(2, 10));
    refused("grey", with(2, 3));
    refused("xorigin", with(8, 1));
    refused("depth16", with(16, 16));
    refused("depth8", with(16, 8));
    refused("width0", [&] {
        auto b = with(12, 0);
        b[13] = 0;
        return b;
    }());
    refused("height0", [&] {
        auto b = with(14, 0);
        b[15] = 0;
        return b;
    }());
    refused("short-header", std::vector<unsigned char>(good.begin(), good.begin() + 15));
    refused("short-pattern", std::vector<unsigned char>(good.begin(), good.begin() + 5));
    refused("short-pixels", std::vector<unsigned char>(good.begin(), good.end() - 1));
    refused("empty", {});
    // A header that promises a picture of 65535 by 65535 pixels, without the bytes to back it.
    refused("huge", [&] {
        auto b = with(12, 0xff);
        b[13] = b[14] = b[15] = 0xff;
        return b;
    }());
    TgaImage image;
    EXPECT_FALSE(readTga((dir + "/missing.tga").c_str(), image));
    EXPECT_FALSE(readTga(nullptr, image));
}

TEST(Tga, IgnoresTheDescriptorAndAnythingAfterThePixels) {
    const std::string dir = makeTempDir();
    std::vector<unsigned char> bytes = tgaBytes(1, 2, 3, {1, 2, 3, 4, 5, 6}, 0x20);  // top-left origin
    bytes.insert(bytes.end(), {'T', 'R', 'U', 'E', 'V', 'I', 'S', 'I', 'O', 'N'});
    TgaImage image;
    ASSERT_TRUE(readTga(writeBytes(dir, "footer.tga", bytes).c_str(), image));
    EXPECT_EQ(image.pixels, (std::vector<unsigned char>{1, 2, 3, 4, 5, 6}));  // first row stays first
}

TEST(Tga, ReadsPicturesImageMagickWritesAndRefusesTheOthers) {
    const std::string dir = makeTempDir();
    // A 3 by 2 picture: red, green, blue on the top row; white, black, grey below.
    const std::string source = dir + "/source.ppm";
    {
        std::ofstream ppm(source, std::ios::binary);
        ppm << "P6\n3 2\n255\n";
        const unsigned char rgb[] = {255, 0, 0, 0, 255, 0, 0, 0, 255, 255, 255, 255, 0, 0, 0, 128, 128, 128};
        ppm.write(reinterpret_cast<const char*>(rgb), sizeof rgb);
    }
    ASSERT_TRUE(magick(source + " -compress none -type TrueColor " + dir + "/rgb24.tga")) << "ImageMagick missing";
    TgaImage image;
    ASSERT_TRUE(readTga((dir + "/rgb24.tga").c_str(), image));
    EXPECT_EQ(image.width, 3);
    EXPECT_EQ(image.height, 2);
    EXPECT_EQ(image.bytesPerPixel, 3);
    EXPECT_EQ(image.pixels, fileBytes(dir + "/rgb24.tga", 18, 18));  // used exactly as stored
    const std::vector<unsigned char> firstRow(image.pixels.begin(), image.pixels.begin() + 9);
    const std::vector<unsigned char> topRow = {0, 0, 255, 0, 255, 0, 255, 0, 0};  // B G R
    const std::vector<unsigned char> bottomRow = {255, 255, 255, 0, 0, 0, 128, 128, 128};
    EXPECT_TRUE(firstRow == topRow || firstRow == bottomRow);

    ASSERT_TRUE(magick(source +
                       " -alpha set -channel A -evaluate set 50% +channel -compress none -type TrueColorAlpha " + dir +
                       "/rgba32.tga"));
    ASSERT_TRUE(readTga((dir + "/rgba32.tga").c_str(), image));
    EXPECT_EQ(image.bytesPerPixel, 4);
    EXPECT_NEAR(image.pixels[3], 128, 1);

    ASSERT_TRUE(magick(source + " -compress none -type TrueColor -orient TopLeft " + dir + "/topleft.tga"));
    ASSERT_EQ(fileBytes(dir + "/topleft.tga", 17, 1)[0] & 0x20, 0x20);
    ASSERT_TRUE(readTga((dir + "/topleft.tga").c_str(), image));
    // The origin bit is not looked at: the top row, stored first, stays first (the picture stands upside down).
    EXPECT_EQ(std::vector<unsigned char>(image.pixels.begin(), image.pixels.begin() + 9), topRow);

    ASSERT_TRUE(magick(source + " -compress RLE -type TrueColor " + dir + "/rle.tga"));
    EXPECT_FALSE(readTga((dir + "/rle.tga").c_str(), image));
    ASSERT_TRUE(magick(source + " -compress none -colorspace Gray -type Grayscale " + dir + "/grey.tga"));
    EXPECT_FALSE(readTga((dir + "/grey.tga").c_str(), image));
    ASSERT_TRUE(magick(source + " -compress none -depth 5 -type TrueColor -define tga:bits-per-pixel=16 " + dir +
                       "/sixteen.tga"));
    ASSERT_EQ(fileBytes(dir + "/sixteen.tga", 16, 1)[0], 16);
    EXPECT_FALSE(readTga((dir + "/sixteen.tga").c_str(), image));
}
