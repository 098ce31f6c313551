// Texture loading: upload formats, one read per path, and failures tried once with a context.
#include "assets/TextureCache.h"

#include "Fixtures.h"

class TextureCacheTest : public GlTest {};

TEST_F(TextureCacheTest, UploadsRgbAndRgbaWithTheChannelsSwappedAndTheAlignmentPutBack) {
    const std::string dir = makeTempDir();
    // 3 by 1, 24-bit: rows of 9 bytes, which only an unpack alignment of 1 reads right.
    ASSERT_TRUE(writeTga(dir + "/rgb.tga", 3, 1, 3, {10, 20, 30, 40, 50, 60, 70, 80, 90}));
    ASSERT_TRUE(writeTga(dir + "/rgba.tga", 1, 1, 4, {1, 2, 3, 200}));
    glPixelStorei(GL_UNPACK_ALIGNMENT, 8);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    const struct {
        const char* file;
        GLenum format;
        std::vector<unsigned char> texels;
    } cases[] = {{"/rgb.tga", GL_RGB, {30, 20, 10, 60, 50, 40, 90, 80, 70}}, {"/rgba.tga", GL_RGBA, {3, 2, 1, 200}}};
    for (const auto& c : cases) {
        ASSERT_NE(loadTexture((dir + c.file).c_str()), 0u);
        std::vector<unsigned char> texels(c.texels.size());
        glGetTexImage(GL_TEXTURE_2D, 0, c.format, GL_UNSIGNED_BYTE, texels.data());
        EXPECT_EQ(texels, c.texels) << c.file;
    }
    GLint alignment = 0;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
    EXPECT_EQ(alignment, 8);
}

TEST_F(TextureCacheTest, AModelNamingThousandsOfTexturesReadsEachOnceAndAFailureOnlyOnce) {
    // A skin naming 4,096 files: every fourth a picture, every fourth from the third a picture cut short, the rest
    // missing. The ship asks for its skins in every frame: after the first, nothing is read again, not even a
    // file that has since been repaired, nor one since removed.
    ScopedWorkingDirectory cwd(makeTempDir());
    constexpr int count = 4096;
    Ms3dContent content = oneTriangleModel();
    content.materials.resize(count, content.materials[0]);
    const std::vector<unsigned char> good = tgaBytes(1, 1, 3, {1, 2, 3});
    auto file = [&content](int i) { return content.materials[size_t(i)].textureFile; };
    for (int i = 0; i < count; ++i) {
        content.materials[size_t(i)].textureFile = "skin" + std::to_string(i) + ".tga";
        if (i % 4 == 0) writeBytes(file(i), good);
        if (i % 4 == 2) writeBytes(file(i), {good.begin(), good.end() - 1});
    }
    content.materials[1].textureFile = "skin0.tga";  // two materials, one skin
    const std::shared_ptr<Ms3dModel> ship = modelFrom(content);
    std::vector<GLuint> first;
    for (const Material& m : ship->materials) first.push_back(m.texture);
    EXPECT_EQ(first[1], first[0]);
    for (int i = 2; i < count; ++i) EXPECT_EQ(first[size_t(i)] != 0, i % 4 == 0) << i;
    for (int i = 2; i < count; ++i) i % 4 ? writeBytes(file(i), good) : void(std::remove(file(i).c_str()));
    ship->loadTextures();
    for (int i = 0; i < count; ++i) ASSERT_EQ(ship->materials[size_t(i)].texture, first[size_t(i)]) << i;
    EXPECT_EQ(TextureCache::instance().size(), size_t(count - 1));
}

TEST(TextureCacheWithoutContext, ARequestBeforeTheContextIsNotCached) {
    const std::string path = makeTempDir() + "/early.tga";
    ASSERT_TRUE(writeTga(path, 1, 1, 3, {1, 2, 3}));
    TextureCache::instance().clear();
    EXPECT_EQ(loadTexture(path.c_str()), 0u);  // no context: GL hands out no name
    EXPECT_EQ(TextureCache::instance().size(), 0u);
}
