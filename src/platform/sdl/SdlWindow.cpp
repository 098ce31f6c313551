// The SDL2 shell's window and GL context, opened and closed in the same steps as the Win32 game's.
#include "SdlWindow.h"

#include <SDL.h>
#include <SDL_syswm.h>
#if defined(VANTURO_X11)
#include <X11/Xlib.h>
#endif

#if defined(__unix__)
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <string>

#include "app/Viewport.h"
#include "platform/WindowSteps.h"
#include "common/Report.h"
#include "common/Termination.h"

namespace {

int realInitVideo() { return SDL_InitSubSystem(SDL_INIT_VIDEO); }
void realQuitVideo() { SDL_QuitSubSystem(SDL_INIT_VIDEO); }

bool realHasDisplay() {
    const char* driver = SDL_GetCurrentVideoDriver();
    return driver && std::strcmp(driver, "offscreen") != 0 && std::strcmp(driver, "dummy") != 0;
}

bool realChangeDisplayMode(int width, int height, int bits) {
    SDL_DisplayMode wanted = {};
    wanted.w = width;
    wanted.h = height;
    wanted.format = bits == 16 ? SDL_PIXELFORMAT_RGB565 : SDL_PIXELFORMAT_RGB888;
    SDL_DisplayMode closest;
    return SDL_GetClosestDisplayMode(0, &wanted, &closest) != nullptr && closest.w == width && closest.h == height;
}

void* realCreateWindow(const char* title, int width, int height, bool fullscreen) {
    Uint32 flags = SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN;
    if (fullscreen) flags |= SDL_WINDOW_FULLSCREEN;
    return SDL_CreateWindow(title, 0, 0, width, height, flags);
}

void realDestroyWindow(void* window) { SDL_DestroyWindow(static_cast<SDL_Window*>(window)); }

bool realHasDrawable(void* window) {
    int w = 0, h = 0;
    SDL_GL_GetDrawableSize(static_cast<SDL_Window*>(window), &w, &h);
    return w > 0 && h > 0;
}

bool realRequestPixelFormat(int colourBits, int depthBits) {
    const bool sixteen = colourBits == 16;
    bool ok = SDL_GL_SetAttribute(SDL_GL_RED_SIZE, sixteen ? 5 : 8) == 0;
    ok = SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, sixteen ? 6 : 8) == 0 && ok;
    ok = SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, sixteen ? 5 : 8) == 0 && ok;
    ok = SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, depthBits) == 0 && ok;
    ok = SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1) == 0 && ok;
    ok = SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY) == 0 && ok;
    return ok;
}

bool realPixelFormatGranted(void* window) {
    return SDL_GetWindowPixelFormat(static_cast<SDL_Window*>(window)) != SDL_PIXELFORMAT_UNKNOWN;
}

void* realCreateContext(void* window) { return SDL_GL_CreateContext(static_cast<SDL_Window*>(window)); }

bool realMakeCurrent(void* window, void* context) {
    return SDL_GL_MakeCurrent(static_cast<SDL_Window*>(window), static_cast<SDL_GLContext>(context)) == 0;
}

void realDeleteContext(void* context) { SDL_GL_DeleteContext(static_cast<SDL_GLContext>(context)); }

void realShow(void* window) {
    SDL_Window* w = static_cast<SDL_Window*>(window);
    SDL_ShowWindow(w);
    SDL_RaiseWindow(w);
    SDL_SetWindowInputFocus(w);
}

// 1 for OK or Yes, 0 for No or a closed box, 2 when no box could be shown.
int showMessageBox(const char* text, const char* caption, BoxKind kind) {
    SDL_MessageBoxButtonData ok[] = {{SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT, 1, "OK"}};
    SDL_MessageBoxButtonData yesNo[] = {{SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT, 1, "Yes"},
                                        {SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, 0, "No"}};
    SDL_MessageBoxData box = {};
    box.flags = kind == shutdownBox ? SDL_MESSAGEBOX_INFORMATION
                : kind == stopBox   ? SDL_MESSAGEBOX_ERROR
                                    : SDL_MESSAGEBOX_WARNING;
    box.title = caption;
    box.message = text;
    box.numbuttons = kind == questionBox ? 2 : 1;
    box.buttons = kind == questionBox ? yesNo : ok;
    int pressed = 0;
    if (SDL_ShowMessageBox(&box, &pressed) != 0) return 2;
    return pressed == 1 ? 1 : 0;
}

// The box waits for a person: it is shown by a child leading its own process group, so that a signal to
// the game (a launcher's SIGTERM, Ctrl+C) kills the box and whatever SDL forks for it, and ends the game.
bool realMessageBox(const char* text, const char* caption, BoxKind kind) {
#if defined(__unix__)
    std::fflush(nullptr);
    const pid_t child = fork();
    if (child == 0) {
        setpgid(0, 0);
        for (int s : {SIGINT, SIGTERM, SIGHUP}) signal(s, SIG_DFL);
        _exit(showMessageBox(text, caption, kind));
    }
    if (child > 0) {
        setpgid(child, child);  // from this side too: the group exists before a signal is sent to it
        watchChildGroup(child);
        if (terminationSignal()) kill(-child, SIGKILL);  // a signal that came as the box was being made
        int status = 0;
        while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
        }
        watchChildGroup(0);
        return WIFEXITED(status) && WEXITSTATUS(status) == 1;
    }
#endif
    return showMessageBox(text, caption, kind) == 1;
}

const SdlWindowApi realApi = {realInitVideo,
                              realQuitVideo,
                              realHasDisplay,
                              realChangeDisplayMode,
                              realCreateWindow,
                              realDestroyWindow,
                              realHasDrawable,
                              realRequestPixelFormat,
                              realPixelFormatGranted,
                              realCreateContext,
                              realMakeCurrent,
                              realDeleteContext,
                              realShow,
                              realMessageBox};
const SdlWindowApi* api = &realApi;

void* window = nullptr;
void* context = nullptr;
bool videoUp = false;
bool formatRequested = false;

// The window steps through SDL: the video subsystem stands for the window class, the window's drawable for its
// device context; SDL takes the pixel format before the window exists, and whether it was granted is checked
// at the steps where the Win32 game chooses and sets it.
bool registerClass() {
    SDL_ClearError();  // what SDL says after a step is of that step
    return videoUp = api->initVideo() == 0;
}
bool hasDisplay() { return api->hasDisplay(); }
bool changeDisplayMode(int width, int height, int bits) { return api->changeDisplayMode(width, height, bits); }
bool createWindow(const char* title, int width, int height, int bits, bool fullscreen) {
    formatRequested = api->requestPixelFormat(bits, 16);
    return (window = api->createWindow(title, width, height, fullscreen)) != nullptr;
}
bool getDeviceContext() { return api->hasDrawable(window); }
bool choosePixelFormat(int) { return api->pixelFormatGranted(window); }
bool setPixelFormat() { return formatRequested; }
bool createContext() { return (context = api->createContext(window)) != nullptr; }
bool makeCurrent() { return api->makeCurrent(window, context); }
void show() { api->show(window); }
bool releaseCurrent() { return api->makeCurrent(window, nullptr); }
bool deleteContext() {
    api->deleteContext(context);
    context = nullptr;
    return true;
}
bool releaseDeviceContext() { return true; }  // the drawable goes with the window
bool destroyWindow() {
    api->destroyWindow(window);
    window = nullptr;
    return true;
}
bool unregisterClass() {
    api->quitVideo();
    videoUp = false;
    return true;
}
bool messageBox(const char* text, const char* caption, BoxKind kind) { return api->messageBox(text, caption, kind); }
const char* lastError() { return SDL_GetError(); }

constexpr WindowSteps makeSteps() {
    WindowSteps s{};
    s.registerClass = registerClass;
    s.hasDisplay = hasDisplay;
    s.changeDisplayMode = changeDisplayMode;
    s.createWindow = createWindow;
    s.getDeviceContext = getDeviceContext;
    s.choosePixelFormat = choosePixelFormat;
    s.setPixelFormat = setPixelFormat;
    s.createContext = createContext;
    s.makeCurrent = makeCurrent;
    s.show = show;
    s.releaseCurrent = releaseCurrent;
    s.deleteContext = deleteContext;
    s.releaseDeviceContext = releaseDeviceContext;
    s.destroyWindow = destroyWindow;
    s.unregisterClass = unregisterClass;
    s.messageBox = messageBox;
    s.lastError = lastError;
    return s;
}

constexpr WindowSteps sdlSteps = makeSteps();

}  // namespace

void showFailureBox(const std::string& text) {
    if (videoUp) {
        if (api->hasDisplay()) api->messageBox(text.c_str(), "ERROR", errorBox);
        return;
    }
    // Before the window is made, or once it is gone: the video subsystem is started for the box alone.
    if (api->initVideo() != 0) return;
    if (api->hasDisplay()) api->messageBox(text.c_str(), "ERROR", errorBox);
    api->quitVideo();
}
void useSdlWindowApi(const SdlWindowApi* replacement) { api = replacement ? replacement : &realApi; }
void* gameWindow() { return window; }

namespace {

// Whether a window manager runs on the display (under X11, one says so on the root window): without one no
// window can be made to fill the screen.
bool windowManagerRuns() {
#if defined(VANTURO_X11)
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!window || !SDL_GetWindowWMInfo(static_cast<SDL_Window*>(window), &info) || info.subsystem != SDL_SYSWM_X11)
        return true;
    Display* display = info.info.x11.display;
    const Atom check = XInternAtom(display, "_NET_SUPPORTING_WM_CHECK", True);
    if (check == None) return false;
    Atom type = None;
    int format = 0;
    unsigned long items = 0, after = 0;
    unsigned char* data = nullptr;
    const bool said = XGetWindowProperty(display, DefaultRootWindow(display), check, 0, 1, False, AnyPropertyType,
                                         &type, &format, &items, &after, &data) == Success &&
                      items > 0;
    if (data) XFree(data);
    return said;
#else
    return true;
#endif
}

}  // namespace

bool toggleFullscreen() {
    if (!window || !windowManagerRuns()) return false;
    SDL_Window* sdlWindow = static_cast<SDL_Window*>(window);
    const bool full = (SDL_GetWindowFlags(sdlWindow) & SDL_WINDOW_FULLSCREEN) != 0;
    // The desktop's own mode: nothing to change on the screen, and the viewport follows the new size.
    SDL_SetWindowFullscreen(sdlWindow, full ? 0 : SDL_WINDOW_FULLSCREEN_DESKTOP);
    int width = 0, height = 0;
    SDL_GetWindowSize(sdlWindow, &width, &height);
    clientSize(width, height);
    resizeViewport(width, height);
    return true;
}

void resizeWindow(int width, int height) {
    SDL_Window* sdlWindow = static_cast<SDL_Window*>(window);
    if (!sdlWindow || (SDL_GetWindowFlags(sdlWindow) & SDL_WINDOW_FULLSCREEN) != 0) return;
    SDL_SetWindowSize(sdlWindow, width, height);  // the size-changed event brings the viewport along
}

void setVsync(bool on) {
    if (context) SDL_GL_SetSwapInterval(on ? 1 : 0);  // a driver that cannot choose says so, and keeps its way
}

void clientSize(int& width, int& height) {
#if defined(VANTURO_X11)
    // Without a window manager SDL believes the window fills the screen while X keeps it as it was: the
    // window's real size is asked of the X server.
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    XWindowAttributes attributes;
    if (window && SDL_GetWindowWMInfo(static_cast<SDL_Window*>(window), &info) && info.subsystem == SDL_SYSWM_X11 &&
        XGetWindowAttributes(info.info.x11.display, info.info.x11.window, &attributes) && attributes.width > 0) {
        width = attributes.width;
        height = attributes.height;
    }
#else
    (void)width, (void)height;
#endif
}

bool openWindow(const char* title, int width, int height, int bits, bool fullscreen) {
    return openWindowInSteps(sdlSteps, title, width, height, bits, fullscreen);
}

void closeWindow() { closeWindowInSteps(sdlSteps); }
