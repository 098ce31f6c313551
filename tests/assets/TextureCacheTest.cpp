// Texture loading: upload formats, the cache's exact-path hits, and failures that are not remembered.
#include "assets/TextureCache.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "GlTest.h"
#include "TgaWriter.h"

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

TEST_F(TextureCacheTest, AFailureIsNotRememberedSoARepairedFileLoads) {
    const std::string dir = makeTempDir();
    const std::string path = dir + "/cut.tga";
    std::vector<unsigned char> bytes = tgaBytes(2, 2, 3, std::vector<unsigned char>(12, 5));
    bytes.resize(bytes.size() - 4);
    std::fwrite(bytes.data(), 1, bytes.size(), std::fopen(path.c_str(), "wb"));
    EXPECT_EQ(loadTexture(path.c_str()), 0u);
    EXPECT_EQ(TextureCache::instance().size(), 0u);
    ASSERT_TRUE(writeTga(path, 2, 2, 3, std::vector<unsigned char>(12, 5)));
    EXPECT_NE(loadTexture(path.c_str()), 0u);
    // Long paths are kept whole: two paths that differ only past 127 characters are two entries.
    const std::string longA = dir + "/" + std::string(150, 'a') + ".tga",
                      longB = dir + "/" + std::string(150, 'a') + "b.tga";
    ASSERT_TRUE(writeTga(longA, 1, 1, 3, {1, 1, 1}));
    ASSERT_TRUE(writeTga(longB, 1, 1, 3, {2, 2, 2}));
    EXPECT_NE(loadTexture(longA.c_str()), loadTexture(longB.c_str()));
}

TEST(TextureCacheWithoutContext, ARequestBeforeTheContextIsNotCached) {
    const std::string dir = makeTempDir();
    const std::string path = dir + "/early.tga";
    ASSERT_TRUE(writeTga(path, 1, 1, 3, {1, 2, 3}));
    TextureCache::instance().clear();
    EXPECT_EQ(loadTexture(path.c_str()), 0u);  // no context: GL hands out no name
    EXPECT_EQ(TextureCache::instance().size(), 0u);
}
