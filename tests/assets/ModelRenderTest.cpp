// Model drawing: the first group's material for the whole model, and the cases a bad file leaves.
#include <gtest/gtest.h>

#include "Fixtures.h"
#include "TgaWriter.h"
#include "GlTest.h"
#include "assets/Ms3dModel.h"

class ModelRender : public GlTest {
   protected:
    static std::vector<float> frontDiffuse() {
        std::vector<float> d(4);
        glGetMaterialfv(GL_FRONT, GL_DIFFUSE, d.data());
        return d;
    }
};

TEST_F(ModelRender, FirstGroupsMaterialAndTextureDrawTheWholeModel) {
    const std::string dir = makeTempDir();
    ScopedWorkingDirectory cwd(dir);
    ASSERT_TRUE(writeTga("skin.tga", 1, 1, 3, {1, 2, 3}));
    Ms3dContent c = oneTriangleModel("skin.tga");
    c.materials[0].diffuse[0] = 0.25f;
    Material other = c.materials[0];
    other.diffuse[0] = 0.75f;
    other.textureFile = "";
    c.materials.push_back(other);
    c.groups.push_back(Mesh{1, {0}});
    Ms3dModel model;
    const auto bytes = ms3dBytes(c);
    ASSERT_TRUE(model.loadFromMemory(bytes.data(), bytes.size()));
    glDisable(GL_TEXTURE_2D);
    model.applyMaterial();
    EXPECT_FLOAT_EQ(frontDiffuse()[0], 0.25f);
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
    GLint bound = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    EXPECT_EQ(GLuint(bound), model.materials[0].texture);
}

TEST_F(ModelRender, NoMaterialLeavesTheFrontMaterialAndDisablesTexturing) {
    const GLfloat marker[4] = {0.5f, 0.4f, 0.3f, 1};
    // No material (-1), a material index past the materials, and a model with no groups at all.
    for (int index : {-1, 5, 99}) {
        Ms3dContent c = oneTriangleModel();
        c.groups[0].materialIndex = index;
        if (index == 99) c.groups.clear();
        Ms3dModel model;
        const auto bytes = ms3dBytes(c);
        ASSERT_TRUE(model.loadFromMemory(bytes.data(), bytes.size()));
        glMaterialfv(GL_FRONT, GL_DIFFUSE, marker);
        glEnable(GL_TEXTURE_2D);
        model.applyMaterial();
        model.render();
        EXPECT_FLOAT_EQ(frontDiffuse()[0], 0.5f) << index;
        EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D)) << index;
    }
    // An untextured material: its colours are set, texturing goes off.
    Ms3dModel plain;
    const auto bytes = ms3dBytes(oneTriangleModel());
    ASSERT_TRUE(plain.loadFromMemory(bytes.data(), bytes.size()));
    glEnable(GL_TEXTURE_2D);
    plain.applyMaterial();
    EXPECT_FLOAT_EQ(frontDiffuse()[0], 1.0f);
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

TEST_F(ModelRender, RenderDrawsTheTrianglesWhereTheTransformPutsThem) {
    Ms3dContent c = oneTriangleModel();
    c.groups.insert(c.groups.begin(), Mesh{0, {}});  // an empty group: an empty begin/end pair, no error
    Ms3dModel model;
    const auto bytes = ms3dBytes(c);
    ASSERT_TRUE(model.loadFromMemory(bytes.data(), bytes.size()));
    glViewport(0, 0, 800, 600);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, 800, 0, 600, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    glColor3f(1, 1, 1);
    glTranslatef(100, 100, 0);
    glScalef(10, 10, 1);  // the triangle spans (100,100), (200,100), (100,200)
    model.applyMaterial();
    model.render();
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
    EXPECT_EQ(readPixel(120, 120)[0], 255);
    EXPECT_EQ(readPixel(190, 190)[0], 0);  // outside the hypotenuse
}
