// Start-up: the multitexture entry points, the level's files, and the render state every frame relies on.
#include "app/SceneSetup.h"

#include "app/GameSound.h"
#include "assets/TextureCache.h"
#include "common/Shell.h"
#include "common/Report.h"
#include "common/GlExtensions.h"
#include "common/SceneTextures.h"
#include "world/Level.h"
#include "world/LevelFormat.h"

bool setupScene() {
    arb::glMultiTexCoord2fARB =
        reinterpret_cast<PFNGLMULTITEXCOORD2FARBPROC>(shell().glProcAddress("glMultiTexCoord2fARB"));
    arb::glActiveTextureARB =
        reinterpret_cast<PFNGLACTIVETEXTUREARBPROC>(shell().glProcAddress("glActiveTextureARB"));
    if (!arb::glMultiTexCoord2fARB || !arb::glActiveTextureARB) {
        reportError("the OpenGL driver offers no multitexturing (GL_ARB_multitexture): no ground to draw");
        return false;
    }
    arb::glClientActiveTextureARB =
        reinterpret_cast<PFNGLCLIENTACTIVETEXTUREARBPROC>(shell().glProcAddress("glClientActiveTextureARB"));

    Level& level = Level::instance();
    level.loadTerrain(terrainFile);
    level.loadObjectMap(objectMapFile);
    detailTexture = loadTexture(detailTextureFile);
    particleTexture = loadTexture(particleTextureFile);
    GameSound::instance().load();

    glShadeModel(GL_SMOOTH);
    glClearColor(0.7f, 0.7f, 0.9f, 1.0f);
    glClearDepth(1.0);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0);
    glEnable(GL_CULL_FACE);
    glCullFace(GL_BACK);
    glEnable(GL_TEXTURE_2D);
    glFogi(GL_FOG_MODE, GL_EXP);
    const GLfloat fogColour[4] = {0.7f, 0.7f, 0.9f, 1.0f};  // the clear colour: far ground fades into the sky
    glFogfv(GL_FOG_COLOR, fogColour);
    glFogf(GL_FOG_DENSITY, 0.0005f);
    glEnable(GL_FOG);
    return true;
}
