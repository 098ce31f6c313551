// Texture loading: upload formats, one read per path, and failures tried once with a context.
#include "assets/TextureCache.h"

#include <cstdio>

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
    // A skin naming 4,096 files, every other one missing (or cut short). The ship asks for its skins in every
    // frame: after the first, nothing is read again, not even a file that has since been repaired.
    const std::string dir = makeTempDir();
    ScopedWorkingDirectory cwd(dir);
    constexpr int count = 4096;
    Ms3dContent content = oneTriangleModel();
    content.materials.resize(count, content.materials[0]);
    std::vector<unsigned char> cut = tgaBytes(2, 2, 3, std::vector<unsigned char>(12, 5));
    cut.resize(cut.size() - 4);
    for (int i = 0; i < count; ++i) {
        const std::string name = "skin" + std::to_string(i) + ".tga";
        content.materials[size_t(i)].textureFile = name;
        if (i % 4 == 0) writeBytes(name, tgaBytes(1, 1, 3, {1, 2, 3}));
        if (i % 4 == 2) writeBytes(name, cut);
    }
    content.materials[1].textureFile = "skin0.tga";  // two materials, one skin
    const std::shared_ptr<Ms3dModel> ship = modelFrom(content);
    std::vector<GLuint> first;
    for (const Material& m : ship->materials) first.push_back(m.texture);
    EXPECT_EQ(first[1], first[0]);
    EXPECT_EQ(TextureCache::instance().size(), size_t(count - 1));
    for (int i = 2; i < count; ++i) EXPECT_EQ(first[size_t(i)] != 0, i % 4 == 0) << i;

    for (int i = 0; i < count; ++i) {
        const std::string name = content.materials[size_t(i)].textureFile;
        if (i % 2 == 1 || i % 4 == 2) writeBytes(name, tgaBytes(1, 1, 3, {1, 2, 3}));  // repaired
        if (i % 4 == 0) std::remove(name.c_str());  // a loaded one no longer needs its file
    }
    for (int frame = 0; frame < 3; ++frame) {
        ship->loadTextures();
        for (int i = 0; i < count; ++i) ASSERT_EQ(ship->materials[size_t(i)].texture, first[size_t(i)]) << i;
    }
    EXPECT_EQ(TextureCache::instance().size(), size_t(count - 1));
}

TEST(TextureCacheWithoutContext, ARequestBeforeTheContextIsNotCached) {
    const std::string path = makeTempDir() + "/early.tga";
    ASSERT_TRUE(writeTga(path, 1, 1, 3, {1, 2, 3}));
    TextureCache::instance().clear();
    EXPECT_EQ(loadTexture(path.c_str()), 0u);  // no context: GL hands out no name
    EXPECT_EQ(TextureCache::instance().size(), 0u);
}
