// The Win32 shell: window class, window, pixel format and WGL context, the window procedure, the GDI font,
// the folders and the tick counter, as its services to the game, and its entry point.
#include <windows.h>
#include <shlobj.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "Win32Audio.h"
#include "app/GameOptions.h"
#include "app/Input.h"
#include "app/MainLoop.h"
#include "app/SceneSetup.h"
#include "app/SettingChange.h"
#include "app/Viewport.h"
#include "common/Gl.h"
#include "common/Report.h"
#include "common/Shell.h"

namespace {

HINSTANCE instanceHandle = nullptr;
HWND windowHandle = nullptr;
HDC deviceContext = nullptr;
HGLRC renderingContext = nullptr;
const char* const windowClass = "OpenGL";

void showError(const char* text) { reportFailure(text); }
void showShutdownError(const char* text) { MessageBoxA(nullptr, text, "SHUTDOWN ERROR", MB_OK | MB_ICONINFORMATION); }

void closeWindow() {
    if (renderingContext) {
        if (!wglMakeCurrent(nullptr, nullptr)) showShutdownError("Release Of DC And RC Failed.");
        if (!wglDeleteContext(renderingContext)) showShutdownError("Release Rendering Context Failed.");
        renderingContext = nullptr;
    }
    if (deviceContext) {
        if (!ReleaseDC(windowHandle, deviceContext)) showShutdownError("Release Device Context Failed.");
        deviceContext = nullptr;
    }
    if (windowHandle) {
        if (!DestroyWindow(windowHandle)) showShutdownError("Could Not Release hWnd.");
        windowHandle = nullptr;
    }
    if (!UnregisterClassA(windowClass, instanceHandle)) showShutdownError("Could Not Unregister Class.");
}

bool failOpening(const char* text) {
    closeWindow();
    showError(text);
    return false;
}

// Between the window and a borderless window over the whole monitor, in the desktop's own mode (nothing
// on the screen changes): WM_SIZE then brings the viewport and the mouse to the new client area.
void toggleFullscreen() {
    static WINDOWPLACEMENT windowed = {};
    windowed.length = sizeof windowed;
    const LONG_PTR style = GetWindowLongPtrA(windowHandle, GWL_STYLE);
    if (style & WS_OVERLAPPEDWINDOW) {
        MONITORINFO monitor = {};
        monitor.cbSize = sizeof monitor;
        if (!GetWindowPlacement(windowHandle, &windowed) ||
            !GetMonitorInfoA(MonitorFromWindow(windowHandle, MONITOR_DEFAULTTOPRIMARY), &monitor))
            return;
        SetWindowLongPtrA(windowHandle, GWL_STYLE, (style & ~WS_OVERLAPPEDWINDOW) | WS_POPUP);
        const RECT& r = monitor.rcMonitor;
        SetWindowPos(windowHandle, HWND_TOP, r.left, r.top, r.right - r.left, r.bottom - r.top,
                     SWP_NOOWNERZORDER | SWP_FRAMECHANGED);
    } else {
        SetWindowLongPtrA(windowHandle, GWL_STYLE, (style & ~WS_POPUP) | WS_OVERLAPPEDWINDOW);
        SetWindowPlacement(windowHandle, &windowed);
        SetWindowPos(windowHandle, nullptr, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOOWNERZORDER | SWP_FRAMECHANGED);
    }
}

// A client area of width by height for the window, unless it fills the screen: WM_SIZE brings the viewport.
void resizeWindow(int width, int height) {
    const LONG_PTR style = GetWindowLongPtrA(windowHandle, GWL_STYLE);
    if (!windowHandle || !(style & WS_OVERLAPPEDWINDOW)) return;
    RECT r = {0, 0, width, height};
    AdjustWindowRectEx(&r, DWORD(style), FALSE, DWORD(GetWindowLongPtrA(windowHandle, GWL_EXSTYLE)));
    SetWindowPos(windowHandle, nullptr, 0, 0, r.right - r.left, r.bottom - r.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOOWNERZORDER);
}

// Through WGL_EXT_swap_control where the driver offers it; elsewhere the driver keeps its own way.
void setVsync(bool on) {
    using SwapInterval = BOOL(WINAPI*)(int);
    const auto swapInterval = reinterpret_cast<SwapInterval>(wglGetProcAddress("wglSwapIntervalEXT"));
    if (swapInterval) swapInterval(on ? 1 : 0);
}

std::string settingsFolder() {
    char path[MAX_PATH] = {};
    if (SUCCEEDED(SHGetFolderPathA(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, path)))
        return std::string(path) + "\\Vanturo";
    return "";
}

LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_ACTIVATE:
            onActive(HIWORD(wParam) == 0);  // false only while minimised; losing the focus keeps drawing
            return 0;
        case WM_SYSCOMMAND:
            if (wParam == SC_SCREENSAVE || wParam == SC_MONITORPOWER) return 0;
            break;
        case WM_CLOSE: PostQuitMessage(0); return 0;
        case WM_KEYDOWN: onKey(int(wParam), true); return 0;
        case WM_SYSKEYDOWN:
            if (wParam == VK_RETURN && !(lParam & (1 << 30))) {  // Alt+Enter, as the fullscreen key
                onFullscreenToggle();
                return 0;
            }
            break;
        case WM_KEYUP: onKey(int(wParam), false); return 0;
        case WM_SIZE: resizeViewport(LOWORD(lParam), HIWORD(lParam)); return 0;
        case WM_MOUSEMOVE: onMouseMove(LOWORD(lParam), HIWORD(lParam)); return 0;
        case WM_LBUTTONDOWN: onKey(VK_LBUTTON, true); return 0;
        case WM_LBUTTONUP: onKey(VK_LBUTTON, false); return 0;
        default: break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

bool openWindow(const char* title, int width, int height, int bits, bool fullscreen) {
    instanceHandle = GetModuleHandleA(nullptr);
    WNDCLASSA wc = {};
    wc.style = CS_HREDRAW | CS_VREDRAW | CS_OWNDC;
    wc.lpfnWndProc = windowProc;
    wc.hInstance = instanceHandle;
    wc.hIcon = LoadIcon(nullptr, IDI_WINLOGO);
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.lpszClassName = windowClass;
    if (!RegisterClassA(&wc)) {
        showError("Failed To Register The Window Class.");
        return false;
    }

    DWORD exStyle = WS_EX_APPWINDOW | WS_EX_WINDOWEDGE, style = WS_OVERLAPPEDWINDOW;
    if (fullscreen) {
        DEVMODEA mode = {};
        mode.dmSize = sizeof mode;
        mode.dmPelsWidth = DWORD(width);
        mode.dmPelsHeight = DWORD(height);
        mode.dmBitsPerPel = DWORD(bits);
        mode.dmFields = DM_BITSPERPEL | DM_PELSWIDTH | DM_PELSHEIGHT;
        if (ChangeDisplaySettingsA(&mode, CDS_FULLSCREEN) == DISP_CHANGE_SUCCESSFUL) {
            exStyle = WS_EX_APPWINDOW;
            style = WS_POPUP;
        } else if (MessageBoxA(nullptr,
                               "The Requested Fullscreen Mode Is Not Supported By\nYour Video Card. Use Windowed Mode "
                               "Instead?",
                               "GL", MB_YESNO | MB_ICONEXCLAMATION) != IDYES) {
            MessageBoxA(nullptr, "Program Will Now Close.", "ERROR", MB_OK | MB_ICONSTOP);
            return false;
        }
    }

    RECT outer = {0, 0, width, height};
    AdjustWindowRectEx(&outer, style, FALSE, exStyle);
    windowHandle =
        CreateWindowExA(exStyle, windowClass, title, style | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, 0, 0,
                        outer.right - outer.left, outer.bottom - outer.top, nullptr, nullptr, instanceHandle, nullptr);
    if (!windowHandle) return failOpening("Window Creation Error.");
    if (!(deviceContext = GetDC(windowHandle))) return failOpening("Can't Create A GL Device Context.");

    PIXELFORMATDESCRIPTOR pfd = {};
    pfd.nSize = sizeof pfd;
    pfd.nVersion = 1;
    pfd.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
    pfd.iPixelType = PFD_TYPE_RGBA;
    pfd.cColorBits = BYTE(bits);
    pfd.cDepthBits = 16;
    pfd.iLayerType = PFD_MAIN_PLANE;
    const int format = ChoosePixelFormat(deviceContext, &pfd);
    if (!format) return failOpening("Can't Find A Suitable PixelFormat.");
    if (!SetPixelFormat(deviceContext, format, &pfd)) return failOpening("Can't Set The PixelFormat.");
    if (!(renderingContext = wglCreateContext(deviceContext)))
        return failOpening("Can't Create A GL Rendering Context.");
    if (!wglMakeCurrent(deviceContext, renderingContext))
        return failOpening("Can't Activate The GL Rendering Context.");

    ShowWindow(windowHandle, SW_SHOW);
    SetForegroundWindow(windowHandle);
    SetFocus(windowHandle);
    resizeViewport(width, height);
    if (!setupScene()) return failOpening("Initialization Failed.");
    return true;
}


std::string picturesFolder() {
    char path[MAX_PATH] = {};
    if (SUCCEEDED(SHGetFolderPathA(nullptr, CSIDL_MYPICTURES, nullptr, SHGFP_TYPE_CURRENT, path))) return path;
    const DWORD length = GetCurrentDirectoryA(MAX_PATH, path);
    return length > 0 && length < MAX_PATH ? std::string(path, length) : ".";
}

bool buildFontBitmaps(unsigned listBase, int first, int count, int pixelHeight) {
    HFONT font = CreateFontA(-pixelHeight, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_TT_PRECIS,
                             CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, FF_DONTCARE | DEFAULT_PITCH, "Courier New");
    HGDIOBJ previous = SelectObject(deviceContext, font);
    const BOOL built = wglUseFontBitmapsA(deviceContext, DWORD(first), DWORD(count), listBase);
    // The space is an empty bitmap, and some GDIs (Wine's) compile it into a list that moves nothing: it is
    // compiled again with the advance the font's metrics give (and a bitmap pointer, empty as it is, that
    // GL can copy).
    SIZE space = {};
    if (built && first <= ' ' && ' ' < first + count && GetTextExtentPoint32A(deviceContext, " ", 1, &space)) {
        glNewList(listBase + unsigned(' ' - first), GL_COMPILE);
        const GLubyte nothing = 0;
        glBitmap(0, 0, 0, 0, GLfloat(space.cx), 0, &nothing);
        glEndList();
    }
    SelectObject(deviceContext, previous);
    DeleteObject(font);
    return built != FALSE;
}

Message handleMessage() {
    MSG message;
    if (!PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) return Message::none;
    if (message.message == WM_QUIT) return Message::quit;
    TranslateMessage(&message);
    DispatchMessageA(&message);
    return Message::handled;
}

std::string executableFolder() {
    char path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    const std::string file = length > 0 && length < MAX_PATH ? std::string(path, length) : "";
    return file.substr(0, file.find_last_of("\\/") + 1);
}

void showFailureBox(const std::string& text) {
    MessageBoxA(nullptr, text.c_str(), "ERROR", MB_OK | MB_ICONEXCLAMATION);
}

const Shell win32Shell = {
    "win32",
    openWindow,
    closeWindow,
    [] { SwapBuffers(deviceContext); },
    toggleFullscreen,
    resizeWindow,
    setVsync,
    [](const char* name) { return reinterpret_cast<void*>(wglGetProcAddress(name)); },
    handleMessage,
    [] { WaitMessage(); },
    [] { return unsigned(GetTickCount()); },
    [](unsigned ms) { Sleep(ms); },
    buildFontBitmaps,
    settingsFolder,
    picturesFolder,
    executableFolder,
    [] { return std::string(); },  // the game's data sits beside the executable
    showFailureBox,
    openAudio,
    feedAudio,
    closeAudio,
};

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    setProgramName("vanturo");
    useShell(win32Shell);
    GameOptions options;
    const CommandLine::Outcome outcome = parseGameOptions(__argc, __argv, options);
    if (!outcome.proceed) {
        // A windowed program has no console of its own: the help or the mistake goes to the one it was
        // started from, unless its output already goes somewhere.
        if (!GetStdHandle(STD_ERROR_HANDLE) && AttachConsole(ATTACH_PARENT_PROCESS)) {
            std::freopen("CONOUT$", "w", stdout);
            std::freopen("CONOUT$", "w", stderr);
        }
        return CommandLine::finish(outcome);
    }
    return runMainLoop(options);
}
