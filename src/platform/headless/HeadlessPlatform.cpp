// The headless shell: EGL pbuffer context on Mesa's surfaceless platform, virtual ticks, entry points.
#include <EGL/egl.h>
#include <EGL/eglext.h>

#include <cstdlib>

#include "common/Gl.h"
#include "common/Platform.h"
#include "Headless.h"

namespace {

EGLDisplay display = EGL_NO_DISPLAY;
EGLContext context = EGL_NO_CONTEXT;
EGLSurface surface = EGL_NO_SURFACE;
unsigned virtualTick = 0;

EGLDisplay openSurfacelessDisplay() {
    auto getPlatformDisplay =
        reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(eglGetProcAddress("eglGetPlatformDisplayEXT"));
    if (!getPlatformDisplay) return EGL_NO_DISPLAY;
    return getPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
}

}  // namespace

bool headless::createContext(int width, int height) {
    destroyContext();
    setenv("LIBGL_ALWAYS_SOFTWARE", "1", 0);  // the same rasteriser on every machine, GPU or not
    display = openSurfacelessDisplay();
    if (display == EGL_NO_DISPLAY || !eglInitialize(display, nullptr, nullptr)) return false;
    if (!eglBindAPI(EGL_OPENGL_API)) return false;
    const EGLint configAttributes[] = {EGL_SURFACE_TYPE,
                                       EGL_PBUFFER_BIT,
                                       EGL_RENDERABLE_TYPE,
                                       EGL_OPENGL_BIT,
                                       EGL_RED_SIZE,
                                       8,
                                       EGL_GREEN_SIZE,
                                       8,
                                       EGL_BLUE_SIZE,
                                       8,
                                       EGL_DEPTH_SIZE,
                                       16,
                                       EGL_NONE};
    EGLConfig config;
    EGLint configs = 0;
    if (!eglChooseConfig(display, configAttributes, &config, 1, &configs) || configs < 1) return false;
    const EGLint surfaceAttributes[] = {EGL_WIDTH, width, EGL_HEIGHT, height, EGL_NONE};
    surface = eglCreatePbufferSurface(display, config, surfaceAttributes);
    if (surface == EGL_NO_SURFACE) return false;
    // No version requested: a desktop context with the compatibility profile, as the game's GL 1.1 needs.
    context = eglCreateContext(display, config, EGL_NO_CONTEXT, nullptr);
    if (context == EGL_NO_CONTEXT) return false;
    return eglMakeCurrent(display, surface, surface, context) == EGL_TRUE;
}

void headless::destroyContext() {
    if (display == EGL_NO_DISPLAY) return;
    eglMakeCurrent(display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
    if (context != EGL_NO_CONTEXT) eglDestroyContext(display, context);
    if (surface != EGL_NO_SURFACE) eglDestroySurface(display, surface);
    context = EGL_NO_CONTEXT;
    surface = EGL_NO_SURFACE;
}

void headless::setTick(unsigned tick) { virtualTick = tick; }
void headless::advanceTick(unsigned milliseconds) { virtualTick += milliseconds; }

unsigned platform::tickCount() { return virtualTick; }

void* platform::glProcAddress(const char* name) { return reinterpret_cast<void*>(eglGetProcAddress(name)); }

void platform::swapBuffers() {
    glFinish();  // a pbuffer has nothing to show: the frame is complete and readable
}
