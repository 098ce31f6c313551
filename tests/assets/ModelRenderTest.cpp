// Model drawing: the first group's material for the whole model, and the cases a bad file leaves.
#include <gtest/gtest.h>

#include "Fixtures.h"
#include "TgaWriter.h"
#include "GlTest.h"
#include "assets/Ms3dModel.h"
#include "objects/Entity.h"

#include <memory>

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

namespace {
// An entity that draws as every entity does: its model moved to where it stands and turned by its heading.
struct PlainEntity : Entity {
    int typeId() const override { return 99; }
    void update() override {}
};
}  // namespace

TEST_F(ModelRender, AnEntityIsDrawnTurnedByItsHeadingAboutTheVerticalAxis) {
    Ms3dContent c = oneTriangleModel();  // a right triangle from (0,0,0) to (10,0,0) and (0,10,0)
    const auto bytes = ms3dBytes(c);
    PlainEntity entity;
    entity.model = std::make_shared<Ms3dModel>();
    ASSERT_TRUE(entity.model->loadFromMemory(bytes.data(), bytes.size()));
    glViewport(0, 0, 800, 600);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(-400, 400, -300, 300, -100, 100);  // one unit a pixel, looking down -z
    glMatrixMode(GL_MODELVIEW);
    glDisable(GL_LIGHTING);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_CULL_FACE);
    struct Case {
        float heading;
        int litX, darkX;  // a pixel column inside the triangle, and its mirror image
    };
    // Half a turn about +y mirrors the triangle to the left of where it stands (x = 100); about any other
    // axis it would stay on the right or leave the plane.
    const Case cases[] = {{0, 503, 497}, {180, 497, 503}};
    for (const Case& k : cases) {
        SCOPED_TRACE(k.heading);
        glLoadIdentity();
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT);
        glColor3f(1, 1, 1);
        entity.x = 100;
        entity.heading = k.heading;
        entity.model->applyMaterial();
        entity.draw();
        EXPECT_EQ(readPixel(k.litX, 302)[0], 255);
        EXPECT_EQ(readPixel(k.darkX, 302)[0], 0);
    }
}
