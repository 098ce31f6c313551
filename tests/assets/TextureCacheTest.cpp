// Texture loading: upload formats, the cache's exact-path hits, and failures tried once with a context.
#include "assets/TextureCache.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "Fixtures.h"
#include "GlTest.h"
#include "TgaWriter.h"
#include "assets/Ms3dModel.h"

class TextureCacheTest : public GlTest {};

namespace {
GLint boundTexture() {
    GLint name = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &name);
    return name;
}
GLint levelParameter(GLenum which) {
    GLint value = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, which, &value);
    return value;
}
}  // namespace

TEST_F(TextureCacheTest, UploadsRgbAndRgbaWithChannelsSwappedAndTheAlignmentRestored) {
    const std::string dir = makeTempDir();
    // 3 by 1, 24-bit: rows of 9 bytes, which only an unpack alignment of 1 reads right.
    ASSERT_TRUE(writeTga(dir + "/rgb.tga", 3, 1, 3, {10, 20, 30, 40, 50, 60, 70, 80, 90}));
    glPixelStorei(GL_UNPACK_ALIGNMENT, 8);
    const GLuint rgb = loadTexture((dir + "/rgb.tga").c_str());
    ASSERT_NE(rgb, 0u);
    EXPECT_EQ(boundTexture(), GLint(rgb));
    EXPECT_EQ(levelParameter(GL_TEXTURE_INTERNAL_FORMAT), GL_RGB);
    GLint alignment = 0;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
    EXPECT_EQ(alignment, 8);
    std::vector<unsigned char> texels(9);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, texels.data());
    EXPECT_EQ(texels, (std::vector<unsigned char>{30, 20, 10, 60, 50, 40, 90, 80, 70}));
    GLint filter = 0;
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &filter);
    EXPECT_EQ(filter, GL_LINEAR);

    ASSERT_TRUE(writeTga(dir + "/rgba.tga", 1, 1, 4, {1, 2, 3, 200}));
    const GLuint rgba = loadTexture((dir + "/rgba.tga").c_str());
    ASSERT_NE(rgba, 0u);
    EXPECT_NE(rgba, rgb);
    EXPECT_EQ(levelParameter(GL_TEXTURE_INTERNAL_FORMAT), GL_RGBA);
    std::vector<unsigned char> texel(4);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, texel.data());
    EXPECT_EQ(texel, (std::vector<unsigned char>{3, 2, 1, 200}));
}

TEST_F(TextureCacheTest, ACacheHitTouchesNeitherTheFileNorGl) {
    const std::string dir = makeTempDir();
    const std::string path = dir + "/t.tga";
    ASSERT_TRUE(writeTga(path, 1, 1, 3, {1, 2, 3}));
    const GLuint first = loadTexture(path.c_str());
    ASSERT_NE(first, 0u);
    std::remove(path.c_str());  // a hit must not need the file
    glBindTexture(GL_TEXTURE_2D, 0);
    EXPECT_EQ(loadTexture(path.c_str()), first);
    EXPECT_EQ(boundTexture(), 0);  // nor bind anything
    EXPECT_EQ(TextureCache::instance().size(), 1u);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

TEST_F(TextureCacheTest, TheSameFileNamedTwoWaysGivesTwoTextures) {
    const std::string dir = makeTempDir();
    ASSERT_TRUE(writeTga(dir + "/t.tga", 1, 1, 3, {1, 2, 3}));
    ScopedWorkingDirectory cwd(dir);
    const GLuint plain = loadTexture("t.tga");
    const GLuint dotted = loadTexture("./t.tga");
    EXPECT_NE(plain, 0u);
    EXPECT_NE(dotted, 0u);
    EXPECT_NE(plain, dotted);
    EXPECT_EQ(loadTexture("T.TGA"), 0u);  // letter case is not folded (and this file does not exist)
}

TEST_F(TextureCacheTest, AModelNamingThousandsOfTexturesReadsEachOnceAndAFailureOnlyOnce) {
    // A skin naming 4,096 files, every other one missing (or cut short). The ship asks for its skins in every
    // frame: after the first, nothing is read again, not even a file that has since been repaired.
    const std::string dir = makeTempDir();
    ScopedWorkingDirectory cwd(dir);
    constexpr int count = 4096;
    Ms3dContent content = oneTriangleModel();
    content.materials.resize(count, content.materials[0]);
    const std::vector<unsigned char> cut = [] {
        std::vector<unsigned char> bytes = tgaBytes(2, 2, 3, std::vector<unsigned char>(12, 5));
        bytes.resize(bytes.size() - 4);
        return bytes;
    }();
    for (int i = 0; i < count; ++i) {
        const std::string name = "skin" + std::to_string(i) + ".tga";
        content.materials[size_t(i)].textureFile = name;
        if (i % 4 == 0) {
            ASSERT_TRUE(writeTga(name, 1, 1, 3, {1, 2, 3}));
        }
        if (i % 4 == 2) std::fwrite(cut.data(), 1, cut.size(), std::fopen(name.c_str(), "wb"));
    }
    ASSERT_TRUE(writeMs3d("ship.ms3d", content));
    Ms3dModel ship;
    ASSERT_TRUE(ship.load("ship.ms3d"));
    std::vector<GLuint> first;
    for (const Material& m : ship.materials) first.push_back(m.texture);
    EXPECT_EQ(TextureCache::instance().size(), size_t(count));
    for (int i = 0; i < count; ++i) EXPECT_EQ(first[size_t(i)] != 0, i % 4 == 0) << i;

    for (int i = 0; i < count; ++i) {
        const std::string name = content.materials[size_t(i)].textureFile;
        if (i % 2 == 1 || i % 4 == 2) {
            ASSERT_TRUE(writeTga(name, 1, 1, 3, {1, 2, 3}));  // repaired
        }
        if (i % 4 == 0) std::remove(name.c_str());  // a loaded one no longer needs its file
    }
    for (int frame = 0; frame < 3; ++frame) {
        ship.loadTextures();
        for (int i = 0; i < count; ++i) ASSERT_EQ(ship.materials[size_t(i)].texture, first[size_t(i)]) << i;
    }
    EXPECT_EQ(TextureCache::instance().size(), size_t(count));
}

TEST(TextureCacheWithoutContext, ARequestBeforeTheContextIsNotCached) {
    const std::string dir = makeTempDir();
    const std::string path = dir + "/early.tga";
    ASSERT_TRUE(writeTga(path, 1, 1, 3, {1, 2, 3}));
    TextureCache::instance().clear();
    EXPECT_EQ(loadTexture(path.c_str()), 0u);  // no context: GL hands out no name
    EXPECT_EQ(TextureCache::instance().size(), 0u);
}
