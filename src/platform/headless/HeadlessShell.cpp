// The headless shell: an EGL pbuffer context on Mesa's surfaceless platform and a virtual tick counter, for
// the tests and the tools. What it cannot give is a named stub that says so once.
#include <EGL/egl.h>
#include <EGL/eglext.h>

#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>

#include "Headless.h"
#include "app/DataFolder.h"
#include "app/SceneSetup.h"
#include "app/Viewport.h"
#include "common/Gl.h"
#include "common/Report.h"
#include "common/Shell.h"
#include "platform/freetype/FreeTypeFont.h"
#include "platform/posix/PicturesFolder.h"
#include "platform/posix/SettingsFolder.h"
#ifdef VANTURO_GLES2
#include "platform/gles2/Gl11Layer.h"
#endif

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

// A service this shell does not have, said once.
void missing(const char* service) {
    static std::set<std::string> said;
    if (said.insert(service).second) reportError(std::string("the headless shell has no ") + service);
}

#ifdef VANTURO_GLES2
// Built over the OpenGL ES layer: ES 2.0 underneath, and the layer's own extension entry points above.
constexpr EGLenum contextApi = EGL_OPENGL_ES_API;
constexpr EGLint renderableType = EGL_OPENGL_ES2_BIT;
constexpr EGLint contextAttributes[] = {EGL_CONTEXT_CLIENT_VERSION, 2, EGL_NONE};
void* esProcAddress(const char* name) { return reinterpret_cast<void*>(eglGetProcAddress(name)); }
void* glProcAddress(const char* name) { return gles2::extensionProcAddress(name); }
bool startGl() { return gles2::startLayer(esProcAddress); }
#else
// No version asked for: a desktop context with the compatibility profile, as the game's GL 1.1 needs.
constexpr EGLenum contextApi = EGL_OPENGL_API;
constexpr EGLint renderableType = EGL_OPENGL_BIT;
constexpr const EGLint* contextAttributes = nullptr;
void* glProcAddress(const char* name) { return reinterpret_cast<void*>(eglGetProcAddress(name)); }
bool startGl() { return true; }
#endif

// The window is the pbuffer: the same steps as a window's, without one to show.
bool openWindow(const char*, int width, int height, int, bool) {
    if (!headless::createContext(width, height)) {
        reportFailure("no headless OpenGL context (Mesa's EGL with the surfaceless platform is needed)");
        return false;
    }
    resizeViewport(width, height);
    if (!setupScene()) {
        reportFailure("the game could not start on this OpenGL driver");
        return false;
    }
    return true;
}

std::string executableFolder() {
    std::error_code ignored;
    return std::filesystem::read_symlink("/proc/self/exe", ignored).parent_path().string();
}

// A pbuffer has nothing to show: the frame is complete and readable.
void swapBuffers() { glFinish(); }
bool toggleFullscreen() {
    missing("screen to fill");
    return false;
}
void resizeWindow(int, int) { missing("window to resize"); }
void setVsync(bool) {}                             // a pbuffer is never shown: there is no refresh to wait for
Message handleMessage() { return Message::none; }  // no window, no messages: input comes from the tool's script
void waitMessage() {}
unsigned tickCount() { return virtualTick; }
void sleepFor(unsigned milliseconds) { virtualTick += milliseconds; }  // time passes only when told to
std::string installedData() { return installedDataFolder; }
void showFailureBox(const std::string&) {}  // nobody to show a box to: the line on stderr is all
bool openAudio(MixSource) {
    missing("sound device (vanturo-sim --audio renders the sound to a file)");
    return false;
}
void feedAudio() {}
void closeAudio() {}
bool shareLink(const std::string&) { return false; }  // no clipboard: the printed link is all

constexpr Shell makeShell() {
    Shell s{};
    s.name = "headless";
    s.openWindow = openWindow;
    s.closeWindow = headless::destroyContext;
    s.swapBuffers = swapBuffers;
    s.toggleFullscreen = toggleFullscreen;
    s.resizeWindow = resizeWindow;
    s.setVsync = setVsync;
    s.glProcAddress = glProcAddress;
    s.handleMessage = handleMessage;
    s.waitMessage = waitMessage;
    s.tickCount = tickCount;
    s.sleep = sleepFor;
    s.buildFontBitmaps = freetype::buildFontBitmaps;
    s.settingsFolder = posix::settingsFolder;
    s.picturesFolder = posix::picturesFolder;
    s.executableFolder = executableFolder;
    s.installedDataFolder = installedData;
    s.showFailureBox = showFailureBox;
    s.shareLink = shareLink;
    s.savesSharedFlights = true;
#ifdef VANTURO_GLES2
    s.drawCounts = gles2::drawCounts;
#endif
    s.openAudio = openAudio;
    s.feedAudio = feedAudio;
    s.closeAudio = closeAudio;
    return s;
}

constexpr Shell headlessShell = makeShell();

}  // namespace

const Shell& headless::shell() { return headlessShell; }

bool headless::createContext(int width, int height) {
    destroyContext();
    setenv("LIBGL_ALWAYS_SOFTWARE", "1", 0);  // the same rasteriser on every machine, GPU or not
    display = openSurfacelessDisplay();
    if (display == EGL_NO_DISPLAY || !eglInitialize(display, nullptr, nullptr)) return false;
    if (!eglBindAPI(contextApi)) return false;
    const EGLint configAttributes[] = {EGL_SURFACE_TYPE,
                                       EGL_PBUFFER_BIT,
                                       EGL_RENDERABLE_TYPE,
                                       renderableType,
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
    context = eglCreateContext(display, config, EGL_NO_CONTEXT, contextAttributes);
    if (context == EGL_NO_CONTEXT) return false;
    return eglMakeCurrent(display, surface, surface, context) == EGL_TRUE && startGl();
}

void headless::destroyContext() {
    if (display == EGL_NO_DISPLAY) return;
    eglMakeCurrent(display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
    if (context != EGL_NO_CONTEXT) eglDestroyContext(display, context);
    if (surface != EGL_NO_SURFACE) eglDestroySurface(display, surface);
    context = EGL_NO_CONTEXT;
    surface = EGL_NO_SURFACE;
}

void virtualClock::setTick(unsigned tick) { virtualTick = tick; }
void virtualClock::advanceTick(unsigned milliseconds) { virtualTick += milliseconds; }
