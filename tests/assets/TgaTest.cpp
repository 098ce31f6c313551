// TGA reading: the accepted variant, pictures written by ImageMagick, and every refused kind of file.
#include "assets/Tga.h"

#include "Fixtures.h"

// (Run-length encoding, grey and 16-bit pixels are refused in ImageMagick's pictures below.)
TEST(Tga, RefusesEveryFileOutsideTheAcceptedVariant) {
    const std::vector<unsigned char> good = tgaBytes(2, 2, 4, std::vector<unsigned char>(16, 7));
    const struct {
        const char* name;
        std::vector<std::pair<size_t, unsigned char>> patches;
        size_t length;     // the bytes kept
        const char* said;  // in the one line of refusal
    } cases[] = {
        {"an image id", {{0, 1}}, good.size(), "not an uncompressed true-colour TGA"},
        {"a colour map", {{1, 1}}, good.size(), "not an uncompressed true-colour TGA"},
        {"an x origin", {{8, 1}}, good.size(), "not an uncompressed true-colour TGA"},
        {"8 bits a pixel", {{16, 8}}, good.size(), "8-bit pixels"},
        {"no width", {{12, 0}, {13, 0}}, good.size(), "without pixels"},
        {"no height", {{14, 0}, {15, 0}}, good.size(), "without pixels"},
        // 65535 by 65535 pixels promised, without the bytes to back them.
        {"huge", {{12, 0xff}, {13, 0xff}, {14, 0xff}, {15, 0xff}}, good.size(), "65535 by 65535 pixels"},
        {"a short header", {}, 15, "a header cut short"},
        {"short pixels", {}, good.size() - 1, "cut short of its pixels"},
    };
    for (const auto& c : cases) {
        std::vector<unsigned char> bytes(good.begin(), good.begin() + std::ptrdiff_t(c.length));
        for (const auto& [at, value] : c.patches) bytes[at] = value;
        TgaImage image;
        std::string refusal;
        EXPECT_FALSE(readTgaFromMemory(bytes.data(), bytes.size(), image, &refusal)) << c.name;
        EXPECT_NE(refusal.find(c.said), std::string::npos) << c.name << ": " << refusal;
        EXPECT_TRUE(image.pixels.empty()) << c.name;
    }
    TgaImage image;
    EXPECT_FALSE(readTga((makeTempDir() + "/missing.tga").c_str(), image));
    EXPECT_FALSE(readTga(nullptr, image));
}

TEST(Tga, ReadsPicturesImageMagickWritesAndRefusesTheOthers) {
    const std::string dir = makeTempDir();
    // A 3 by 2 picture: red, green, blue on the top row; white, black, grey below.
    const std::string source = dir + "/source.ppm", path = dir + "/picture.tga";
    const std::string rows = "convert xc:red xc:lime xc:blue +append \\( xc:white xc:black xc:gray50 +append \\) ";
    ASSERT_EQ(std::system((rows + "-append " + source).c_str()), 0);
    const struct {
        const char* options;
        int bytesPerPixel;  // 0: refused
    } cases[] = {
        {"-compress none -type TrueColor", 3},
        {"-alpha set -channel A -evaluate set 50% +channel -compress none -type TrueColorAlpha", 4},
        // The origin bit is not looked at: the rows stay in the order stored.
        {"-compress none -type TrueColor -orient TopLeft", 3},
        {"-compress RLE -type TrueColor", 0},
        {"-compress none -colorspace Gray -type Grayscale", 0},
        {"-compress none -depth 5 -type TrueColor -define tga:bits-per-pixel=16", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.options);
        ASSERT_EQ(std::system(("convert " + source + " " + c.options + " " + path).c_str()), 0);
        const std::vector<unsigned char> file = bytesOf(path);
        std::ofstream(path, std::ios::app) << "TRUEVISION-XFILE.";  // a footer, which is not read
        TgaImage image;
        ASSERT_EQ(readTga(path.c_str(), image), c.bytesPerPixel > 0);
        if (!c.bytesPerPixel) continue;
        EXPECT_TRUE(image.width == 3 && image.height == 2 && image.bytesPerPixel == c.bytesPerPixel);
        EXPECT_EQ(image.pixels, std::vector<unsigned char>(file.begin() + 18, file.end()));
        if (c.bytesPerPixel == 4) {
            EXPECT_NEAR(image.pixels[3], 128, 1);
        }
    }
}
