// Model drawing: the first group's material for the whole model, the cases a bad file leaves, and entities
// drawn where they stand, turned by their heading, the ship banked by its steering.

#include "Fixtures.h"

class ModelRender : public GlTest {
   protected:
    // Draws the model unlit, 10 pixels a unit from (100, 100), over a bound and enabled green texture.
    void drawAt100(Ms3dModel& model) {
        orthoFrame(0, 800, 0, 600, -1, 1);
        glDisable(GL_LIGHTING);
        glColor3f(1, 1, 1);
        bindTexel(0, 255, 0);
        glTranslatef(100, 100, 0);
        glScalef(10, 10, 1);  // the triangle spans (100,100), (200,100), (100,200)
        model.applyMaterial();
        model.render();
        EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
        EXPECT_EQ(readPixel(190, 190), (std::vector<unsigned char>{0, 0, 0, 255}));  // outside the hypotenuse
    }
};

TEST_F(ModelRender, TheFirstGroupsMaterialAndSkinDrawTheWholeModel) {
    const std::string dir = makeTempDir();
    ScopedWorkingDirectory cwd(dir);
    ASSERT_TRUE(writeTga("skin.tga", 1, 1, 3, {200, 100, 50}));  // stored blue, green, red
    Ms3dContent c = oneTriangleModel("skin.tga");
    Material untextured = c.materials[0];
    untextured.textureFile = "";
    c.materials.push_back(untextured);
    c.groups.insert(c.groups.begin(), Mesh{0, {}});  // an empty group: an empty begin/end pair, no error
    c.groups.push_back(Mesh{1, {0}});                // the triangle again, under the other material
    drawAt100(*modelFrom(c));
    EXPECT_EQ(readPixel(120, 120), (std::vector<unsigned char>{50, 100, 200, 255}));
}

TEST_F(ModelRender, NoMaterialOrAnUntexturedOneDrawsWithTexturingOff) {
    // No material (-1), a material index past the materials, an untextured material, no groups at all.
    const struct {
        int materialIndex;
        unsigned char inside;
    } cases[] = {{-1, 255}, {5, 255}, {0, 255}, {99, 0}};
    for (const auto& k : cases) {
        SCOPED_TRACE(k.materialIndex);
        Ms3dContent c = oneTriangleModel();
        c.groups[0].materialIndex = k.materialIndex;
        if (k.materialIndex == 99) c.groups.clear();
        drawAt100(*modelFrom(c));
        EXPECT_EQ(readPixel(120, 120)[0], k.inside);
        EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
    }
}

namespace {
// An entity that draws as every entity does: its model moved to where it stands and turned by its heading.
struct PlainEntity : Entity {
    int typeId() const override { return 99; }
    void update() override {}
};
}  // namespace

TEST_F(ModelRender, EntitiesAreDrawnTurnedByTheirHeadingAndTheShipBankedByItsSteering) {
    // A right triangle from (0,0) to (10,0) and (0,10) as the model (and the ship's shield bubble), seen from
    // behind, 10 pixels a unit, moved to where the entity stands. Half a turn about +y mirrors it to the left of
    // that point; steer 0.5 banks the ship 40 degrees clockwise, its corner well below the point. Turned about
    // another axis, the triangle would leave the plane or stay where it was.
    PlainEntity entity;
    Ship& ship = Ship::player;
    const std::shared_ptr<Ms3dModel> saved = ship.model;
    ship.model = entity.model = modelFrom(oneTriangleModel());
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_CULL_FACE);
    const struct {
        Entity* drawn;
        float y, heading, steer;  // standing at x = 10; the ship is drawn 20 over its height
        int litX, litY, darkX, darkY;
    } cases[] = {{&entity, 5, 0, 0, 530, 380, 470, 380},
                 {&entity, 5, 180, 0, 470, 380, 530, 380},
                 {&ship, -20, 180, 0, 470, 330, 530, 330},
                 {&ship, -20, 0, 0.5f, 580, 200, 470, 330}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.heading) + (c.drawn == &ship ? " ship" : " entity"));
        orthoFrame(-400, 400, -300, 300, -1000, 1000);
        glScalef(10, 10, 10);
        ship.steer = c.steer;
        c.drawn->x = 10;
        c.drawn->z = 0;
        c.drawn->y = c.y;
        c.drawn->heading = c.heading;
        c.drawn->draw();
        EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));  // every matrix pushed, popped
        EXPECT_GT(readPixel(c.litX, c.litY)[0], 40);
        EXPECT_LT(readPixel(c.darkX, c.darkY)[0], 40);
    }
    ship.model = saved;
    ship.steer = 0;
}
