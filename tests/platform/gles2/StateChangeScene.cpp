// A picture of state changed between two draws that would otherwise be drawn as one: built once over Mesa's
// GL 1.1 and once over the OpenGL ES layer, whose pictures the layer's test compares. Each cell of a 5 by 4 grid
// draws a quad, changes one thing, and draws again; a draw that waited past the change would show in its cell.
// Writes the frame's RGB rows to the file named, then the pixel read back in the middle of the frame.
#include <cstdio>
#include <vector>

#include "Headless.h"
#include "common/Gl.h"

namespace {

constexpr int cell = 64, cellsAcross = 5, width = cell * cellsAcross, height = cell * 4;

struct Colour {
    float r, g, b;
};

void quad(float left, float bottom, float right, float top, Colour c, float z = 0) {
    glColor3f(c.r, c.g, c.b);
    glBegin(GL_QUADS);
    glTexCoord2f(0, 0);
    glVertex3f(left, bottom, z);
    glTexCoord2f(1, 0);
    glVertex3f(right, bottom, z);
    glTexCoord2f(1, 1);
    glVertex3f(right, top, z);
    glTexCoord2f(0, 1);
    glVertex3f(left, top, z);
    glEnd();
}

const Colour white{1, 1, 1}, red{1, 0, 0}, green{0, 1, 0}, blue{0, 0, 1};
void leftQuad(Colour c = white) { quad(-0.9f, -0.9f, -0.05f, 0.9f, c); }
void rightQuad(Colour c = white) { quad(0.05f, -0.9f, 0.9f, 0.9f, c); }

// A 2 by 2 texture of these texels, rows from the bottom.
void fill(GLuint texture, const std::vector<unsigned char>& rgb) {
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, 2, 2, 0, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
}

void lit(bool on) {
    const GLfloat position[4] = {0, 0, 2, 1}, diffuse[4] = {1, 1, 1, 1};
    glLightfv(GL_LIGHT0, GL_POSITION, position);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, diffuse);
    (on ? glEnable : glDisable)(GL_LIGHTING);
    (on ? glEnable : glDisable)(GL_LIGHT0);
    const GLfloat up[3] = {0, 0, 1};
    glNormal3fv(up);
}

void material(Colour c) {
    const GLfloat diffuse[4] = {c.r, c.g, c.b, 1};
    glMaterialfv(GL_FRONT, GL_DIFFUSE, diffuse);
}

// The cells, each a pair of draws and the one change between them (in a few, what lies under them first).
void drawCells(unsigned char midFrame[3]) {
    GLuint textures[3];
    glGenTextures(3, textures);
    fill(textures[0], {255, 0, 0, 255, 0, 0, 255, 0, 0, 255, 0, 0});
    fill(textures[1], {0, 0, 255, 0, 0, 255, 0, 0, 255, 0, 0, 255});
    fill(textures[2], {0, 255, 0, 255, 255, 255, 255, 255, 255, 0, 255, 0});
    int at = 0;
    const auto next = [&at] {
        glViewport((at % cellsAcross) * cell, (at / cellsAcross) * cell, cell, cell);
        ++at;
    };

    next();  // another texture bound
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, textures[0]);
    leftQuad();
    glBindTexture(GL_TEXTURE_2D, textures[1]);
    rightQuad();

    next();  // the bound texture filled anew
    glBindTexture(GL_TEXTURE_2D, textures[2]);
    leftQuad();
    fill(textures[2], {255, 255, 0, 0, 255, 255, 0, 255, 255, 255, 255, 0});
    rightQuad();

    next();  // the texture's filter changed
    leftQuad();
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    rightQuad();
    glDisable(GL_TEXTURE_2D);

    next();  // blending on, then read back before the frame ends
    quad(-0.9f, -0.9f, 0.9f, 0.9f, red);
    glEnable(GL_BLEND);
    glBlendFunc(GL_ONE, GL_ONE);
    rightQuad(green);
    glReadPixels(3 * cell + cell * 3 / 4, cell / 2, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, midFrame);

    next();  // another blend function
    quad(-0.9f, -0.9f, 0.9f, 0.9f, Colour{0.5f, 0.5f, 0.5f});
    glBlendFunc(GL_ZERO, GL_SRC_COLOR);
    rightQuad(Colour{1, 0.5f, 0});
    glDisable(GL_BLEND);

    next();  // lines instead of filled polygons
    leftQuad(green);
    glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
    rightQuad(green);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);

    next();  // the same corners moved by one modelview, then by another
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glTranslatef(0.1f, 0.1f, 0);
    quad(-0.9f, -0.9f, -0.3f, -0.3f, blue);
    glTranslatef(1, 1, 0);
    quad(-0.9f, -0.9f, -0.3f, -0.3f, blue);
    glPopMatrix();

    next();  // lit, then turned and scaled: the normals move with the corners
    lit(true);
    material(white);
    leftQuad();
    glPushMatrix();
    glTranslatef(0.45f, 0, 0);
    glRotatef(50, 0, 1, 0);
    glScalef(0.5f, 1, 1);
    quad(-0.8f, -0.9f, 0.8f, 0.9f, white);
    glPopMatrix();

    next();  // another material
    leftQuad();
    material(Colour{0.2f, 0.9f, 0.3f});
    rightQuad();
    lit(false);

    next();  // another projection
    leftQuad(red);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    gluPerspective(60, 1, 0.5, 10);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glTranslatef(0, 0, -2);
    rightQuad(red);
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);

    next();  // the depth test's function
    glEnable(GL_DEPTH_TEST);
    quad(-0.9f, -0.9f, 0.9f, 0.9f, blue, 0.5f);
    glDepthFunc(GL_GREATER);
    quad(-0.5f, -0.5f, 0.5f, 0.5f, red, 0);
    glDepthFunc(GL_LESS);

    next();  // depth writes off: the second quad leaves no depth, the third is drawn over it
    quad(-0.9f, -0.9f, 0.9f, 0.9f, green, 0.2f);
    glDepthMask(GL_FALSE);
    quad(-0.6f, -0.6f, 0.6f, 0.6f, red, -0.5f);
    glDepthMask(GL_TRUE);
    quad(-0.3f, -0.3f, 0.3f, 0.3f, blue, 0);
    glDisable(GL_DEPTH_TEST);

    next();  // the colour mask
    leftQuad(white);
    glColorMask(GL_TRUE, GL_FALSE, GL_FALSE, GL_TRUE);
    rightQuad(white);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);

    next();  // culling on: the second quad faces away
    quad(-0.05f, -0.9f, -0.9f, 0.9f, blue);  // wound clockwise
    glEnable(GL_CULL_FACE);
    quad(0.9f, -0.9f, 0.05f, 0.9f, blue);
    glDisable(GL_CULL_FACE);

    next();  // fog thickened
    glEnable(GL_FOG);
    glFogi(GL_FOG_MODE, GL_EXP);
    const GLfloat fogColour[4] = {1, 1, 0, 1};
    glFogfv(GL_FOG_COLOR, fogColour);
    glFogf(GL_FOG_DENSITY, 0.5f);
    glTranslatef(0, 0, -0.5f);
    leftQuad(blue);
    glFogf(GL_FOG_DENSITY, 2);
    rightQuad(blue);
    glLoadIdentity();
    glDisable(GL_FOG);

    next();  // a glyph from a list between two quads, then a quad over it
    const GLubyte bits[8] = {0xff, 0x81, 0x81, 0x81, 0x81, 0x81, 0x81, 0xff};
    const GLuint list = glGenLists(1);
    glNewList(list, GL_COMPILE);
    glBitmap(8, 8, 0, 0, 8, 0, bits);
    glEndList();
    leftQuad(red);
    glColor3f(1, 1, 1);
    glRasterPos2f(-0.2f, -0.2f);
    const GLubyte call[2] = {0, 0};
    glListBase(list);
    glCallLists(2, GL_UNSIGNED_BYTE, call);
    glDeleteLists(list, 1);  // the glyphs were drawn before their page was let go
    quad(0, -0.1f, 0.9f, 0.1f, blue);

    next();  // a bitmap drawn at once, between quads
    leftQuad(blue);
    glColor3f(1, 1, 0);
    glRasterPos2f(-0.5f, 0);
    glBitmap(8, 8, 0, 0, 8, 0, bits);
    rightQuad(red);

    next();  // blending set inside glPushAttrib and undone by glPopAttrib
    quad(-0.9f, -0.9f, 0.9f, 0.9f, red);
    glPushAttrib(GL_COLOR_BUFFER_BIT | GL_ENABLE_BIT);
    glEnable(GL_BLEND);
    glBlendFunc(GL_ONE, GL_ONE);
    leftQuad(green);
    glPopAttrib();
    rightQuad(green);

    next();  // the depth buffer cleared between two draws
    glEnable(GL_DEPTH_TEST);
    quad(-0.9f, -0.9f, 0.9f, 0.9f, green, -0.5f);
    glClear(GL_DEPTH_BUFFER_BIT);
    rightQuad(red);
    glDisable(GL_DEPTH_TEST);

    next();  // the face culled turned round
    glEnable(GL_CULL_FACE);
    leftQuad(blue);
    glCullFace(GL_FRONT);
    rightQuad(blue);
    glCullFace(GL_BACK);
    glDisable(GL_CULL_FACE);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUT.rgb\n", argv[0]);
        return 2;
    }
    if (!headless::createContext(width, height)) return 1;
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);  // the texels' and the glyph's rows are packed
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    unsigned char midFrame[3] = {};
    drawCells(midFrame);
    std::vector<unsigned char> rgb(size_t(width) * height * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    rgb.insert(rgb.end(), midFrame, midFrame + 3);
    headless::destroyContext();
    std::FILE* out = std::fopen(argv[1], "wb");
    if (!out) return 1;
    const bool written = std::fwrite(rgb.data(), 1, rgb.size(), out) == rgb.size();
    return std::fclose(out) == 0 && written ? 0 : 1;
}
