// The OpenGL ES layer's own rules, on Mesa's ES 2.0 through the headless shell built over the layer: the GL
// calls here are the layer's.
#include <gtest/gtest.h>

#include <array>
#include <string>

#include "Headless.h"
#include "common/Gl.h"
#include "common/Report.h"

namespace {

struct Corner {
    GLfloat x, y, z;
    GLfloat r, g, b, a;
};

std::array<GLubyte, 3> pixelAt(int x, int y) {
    std::array<GLubyte, 3> rgb{};
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, y, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    return rgb;
}

// Draws the quad from the arrays (which the caller may have changed in place), on black.
void drawQuad(const std::array<Corner, 4>& quad) {
    glClear(GL_COLOR_BUFFER_BIT);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_COLOR_ARRAY);
    glVertexPointer(3, GL_FLOAT, sizeof(Corner), &quad[0].x);
    glColorPointer(4, GL_FLOAT, sizeof(Corner), &quad[0].r);
    glDrawArrays(GL_QUADS, 0, 4);
    glDisableClientState(GL_COLOR_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
}

class LayerOnEs : public ::testing::Test {
   protected:
    void SetUp() override {
        ASSERT_TRUE(headless::createContext(64, 64));
        glViewport(0, 0, 64, 64);
        glClearColor(0, 0, 0, 1);
    }
    void TearDown() override { headless::destroyContext(); }
};

}  // namespace

TEST_F(LayerOnEs, ArraysChangedInPlaceAreDrawnAsTheyAreNow) {
    // The same array drawn twice: the layer keeps its corners on the GPU, yet what was changed in between shows.
    std::array<Corner, 4> quad = {{{-1, -1, 0, 1, 0, 0, 1}, {0, -1, 0, 1, 0, 0, 1}, {0, 1, 0, 1, 0, 0, 1},
                                   {-1, 1, 0, 1, 0, 0, 1}}};
    drawQuad(quad);
    EXPECT_EQ(pixelAt(16, 32), (std::array<GLubyte, 3>{255, 0, 0}));
    EXPECT_EQ(pixelAt(48, 32), (std::array<GLubyte, 3>{0, 0, 0}));
    const struct {
        const char* change;
        void (*apply)(std::array<Corner, 4>&);
        std::array<GLubyte, 3> left, right;
    } changes[] = {
        {"its colour", [](std::array<Corner, 4>& q) { for (Corner& c : q) c.r = 0, c.b = 1; }, {0, 0, 255}, {0, 0, 0}},
        {"its place", [](std::array<Corner, 4>& q) { for (Corner& c : q) c.x += 1; }, {0, 0, 0}, {0, 0, 255}},
        {"nothing", [](std::array<Corner, 4>&) {}, {0, 0, 0}, {0, 0, 255}},
    };
    for (const auto& c : changes) {
        SCOPED_TRACE(c.change);
        c.apply(quad);
        drawQuad(quad);
        EXPECT_EQ(pixelAt(16, 32), c.left);
        EXPECT_EQ(pixelAt(48, 32), c.right);
    }
}

TEST_F(LayerOnEs, WhatTheLayerLacksIsAnErrorAndSaidOnce) {
    setProgramName("vanturo-test");
    glGetError();
    testing::internal::CaptureStderr();
    glEnable(GL_NORMALIZE);
    EXPECT_EQ(glGetError(), GLenum(GL_INVALID_ENUM));
    glEnable(GL_NORMALIZE);
    EXPECT_EQ(glGetError(), GLenum(GL_INVALID_ENUM));
    glMaterialf(GL_FRONT, GL_AMBIENT, 1);  // one value for a four-value material: refused, nothing read past it
    EXPECT_EQ(glGetError(), GLenum(GL_INVALID_ENUM));
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "vanturo-test: the OpenGL ES layer has no such capability to enable\n");
}

TEST_F(LayerOnEs, DeletedListsGiveTheirNamesBack) {
    // The heads-up font deletes its lists and makes new ones at every new window width.
    const GLuint first = glGenLists(96), second = glGenLists(4);
    glDeleteLists(first, 96);
    EXPECT_EQ(glGenLists(96), first);
    EXPECT_EQ(glGenLists(4), second + 4);  // the names in use are not given twice
}
