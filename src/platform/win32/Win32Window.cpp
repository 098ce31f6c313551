// The Win32 shell's window: class, window, device context, pixel format and WGL context as the window steps'
// calls, the window procedure that turns messages into the game's input, and the whole screen.
#include "Win32Window.h"

#include <windows.h>

#include "app/Input.h"
#include "app/SettingChange.h"
#include "app/Viewport.h"

namespace {

HINSTANCE instanceHandle = nullptr;
HWND windowHandle = nullptr;
HDC deviceContext = nullptr;
HGLRC renderingContext = nullptr;
const char* const windowClass = "OpenGL";

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

// The pixel format descriptor chosen and set: one, filled once, passed to both calls.
PIXELFORMATDESCRIPTOR pixelFormat = {};
int chosenFormat = 0;

bool registerClass() {
    instanceHandle = GetModuleHandleA(nullptr);
    WNDCLASSA wc = {};
    wc.style = CS_HREDRAW | CS_VREDRAW | CS_OWNDC;
    wc.lpfnWndProc = windowProc;
    wc.hInstance = instanceHandle;
    wc.hIcon = LoadIcon(nullptr, IDI_WINLOGO);
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.lpszClassName = windowClass;
    return RegisterClassA(&wc) != 0;
}

bool changeDisplayMode(int width, int height, int bits) {
    DEVMODEA mode = {};
    mode.dmSize = sizeof mode;
    mode.dmPelsWidth = DWORD(width);
    mode.dmPelsHeight = DWORD(height);
    mode.dmBitsPerPel = DWORD(bits);
    mode.dmFields = DM_BITSPERPEL | DM_PELSWIDTH | DM_PELSHEIGHT;
    return ChangeDisplaySettingsA(&mode, CDS_FULLSCREEN) == DISP_CHANGE_SUCCESSFUL;
}

// fullscreen: the display mode was changed for it, and the window is a popup over the whole screen.
bool createWindow(const char* title, int width, int height, int, bool fullscreen) {
    const DWORD exStyle = fullscreen ? WS_EX_APPWINDOW : WS_EX_APPWINDOW | WS_EX_WINDOWEDGE;
    const DWORD style = fullscreen ? WS_POPUP : WS_OVERLAPPEDWINDOW;
    RECT outer = {0, 0, width, height};
    AdjustWindowRectEx(&outer, style, FALSE, exStyle);
    windowHandle =
        CreateWindowExA(exStyle, windowClass, title, style | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, 0, 0,
                        outer.right - outer.left, outer.bottom - outer.top, nullptr, nullptr, instanceHandle, nullptr);
    return windowHandle != nullptr;
}

bool getDeviceContext() { return (deviceContext = GetDC(windowHandle)) != nullptr; }

bool choosePixelFormat(int bits) {
    pixelFormat = {};
    pixelFormat.nSize = sizeof pixelFormat;
    pixelFormat.nVersion = 1;
    pixelFormat.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
    pixelFormat.iPixelType = PFD_TYPE_RGBA;
    pixelFormat.cColorBits = BYTE(bits);
    pixelFormat.cDepthBits = 16;
    pixelFormat.iLayerType = PFD_MAIN_PLANE;
    return (chosenFormat = ChoosePixelFormat(deviceContext, &pixelFormat)) != 0;
}

bool setPixelFormat() { return SetPixelFormat(deviceContext, chosenFormat, &pixelFormat) != FALSE; }
bool createContext() { return (renderingContext = wglCreateContext(deviceContext)) != nullptr; }
bool makeCurrent() { return wglMakeCurrent(deviceContext, renderingContext) != FALSE; }

void show() {
    ShowWindow(windowHandle, SW_SHOW);
    SetForegroundWindow(windowHandle);
    SetFocus(windowHandle);
}

bool releaseCurrent() { return wglMakeCurrent(nullptr, nullptr) != FALSE; }

bool deleteContext() {
    const bool deleted = wglDeleteContext(renderingContext) != FALSE;
    renderingContext = nullptr;
    return deleted;
}

bool releaseDeviceContext() {
    const bool released = ReleaseDC(windowHandle, deviceContext) != 0;
    deviceContext = nullptr;
    return released;
}

bool destroyWindow() {
    const bool destroyed = DestroyWindow(windowHandle) != FALSE;
    windowHandle = nullptr;
    return destroyed;
}

bool unregisterClass() { return UnregisterClassA(windowClass, instanceHandle) != FALSE; }

bool messageBox(const char* text, const char* caption, BoxKind kind) {
    const UINT icons[] = {MB_OK | MB_ICONEXCLAMATION, MB_OK | MB_ICONINFORMATION, MB_YESNO | MB_ICONEXCLAMATION,
                          MB_OK | MB_ICONSTOP};
    const int answer = MessageBoxA(nullptr, text, caption, icons[kind]);
    return answer == IDOK || answer == IDYES;
}

constexpr WindowSteps makeSteps() {
    WindowSteps s{};
    s.registerClass = registerClass;
    s.hasDisplay = nullptr;  // a Windows desktop is always seen
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
    s.lastError = nullptr;
    return s;
}

constexpr WindowSteps win32Steps = makeSteps();

}  // namespace

const WindowSteps& win32WindowSteps() { return win32Steps; }

bool openWindow(const char* title, int width, int height, int bits, bool fullscreen) {
    return openWindowInSteps(win32Steps, title, width, height, bits, fullscreen);
}

void closeWindow() { closeWindowInSteps(win32Steps); }

void swapBuffers() { SwapBuffers(deviceContext); }

void* deviceContextHandle() { return deviceContext; }

// Between the window and a borderless window over the whole monitor, in the desktop's own mode (nothing
// on the screen changes): WM_SIZE then brings the viewport and the mouse to the new client area.
bool toggleFullscreen() {
    static WINDOWPLACEMENT windowed = {};
    windowed.length = sizeof windowed;
    const LONG_PTR style = GetWindowLongPtrA(windowHandle, GWL_STYLE);
    if (style & WS_OVERLAPPEDWINDOW) {
        MONITORINFO monitor = {};
        monitor.cbSize = sizeof monitor;
        if (!GetWindowPlacement(windowHandle, &windowed) ||
            !GetMonitorInfoA(MonitorFromWindow(windowHandle, MONITOR_DEFAULTTOPRIMARY), &monitor))
            return false;
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
    return true;
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
    const auto swapInterval =
        reinterpret_cast<SwapInterval>(reinterpret_cast<void*>(wglGetProcAddress("wglSwapIntervalEXT")));
    if (swapInterval) swapInterval(on ? 1 : 0);
}
