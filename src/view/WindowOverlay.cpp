// Flat shapes over the finished picture, in the window's pixels.
#include "view/WindowOverlay.h"

#include "common/Gl.h"

WindowOverlay::WindowOverlay() {
    GLint viewport[4] = {};
    glGetIntegerv(GL_VIEWPORT, viewport);
    width_ = viewport[2];
    height_ = viewport[3];
    GLint polygonModes[2] = {GL_FILL, GL_FILL};  // the front's and the back's; the game sets both alike
    glGetIntegerv(GL_POLYGON_MODE, polygonModes);
    polygonMode_ = polygonModes[0];
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    // The viewport's pixels onto -1 to 1 (the browser's layer has translate and scale, not glOrtho).
    glTranslatef(-1, -1, 0);
    glScalef(2.0f / float(width_ > 0 ? width_ : 1), 2.0f / float(height_ > 0 ? height_ : 1), 1);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glPushAttrib(GL_ENABLE_BIT | GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_FOG);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_CULL_FACE);
    glDepthMask(GL_FALSE);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
}

WindowOverlay::~WindowOverlay() {
    glColor4f(1, 1, 1, 1);
    glPolygonMode(GL_FRONT_AND_BACK, GLenum(polygonMode_));
    glPopAttrib();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
}

void WindowOverlay::fill(float left, float bottom, float right, float top, float r, float g, float b,
                         float a) const {
    glColor4f(r, g, b, a);
    glBegin(GL_QUADS);
    glVertex3f(left, bottom, 0);
    glVertex3f(right, bottom, 0);
    glVertex3f(right, top, 0);
    glVertex3f(left, top, 0);
    glEnd();
}
