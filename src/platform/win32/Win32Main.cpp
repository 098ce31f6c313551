// The Win32 shell: its services to the game (the window from Win32Window, the GDI font, the folders, the tick
// counter, the boxes, the sound) and its entry point.
#include <windows.h>
#include <shlobj.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "Win32Audio.h"
#include "Win32Window.h"
#include "app/GameOptions.h"
#include "app/MainLoop.h"
#include "common/Gl.h"
#include "common/Report.h"
#include "common/Shell.h"

namespace {

std::string settingsFolder() {
    char path[MAX_PATH] = {};
    if (SUCCEEDED(SHGetFolderPathA(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, path)))
        return std::string(path) + "\\Vanturo";
    return "";
}

std::string picturesFolder() {
    char path[MAX_PATH] = {};
    if (SUCCEEDED(SHGetFolderPathA(nullptr, CSIDL_MYPICTURES, nullptr, SHGFP_TYPE_CURRENT, path))) return path;
    const DWORD length = GetCurrentDirectoryA(MAX_PATH, path);
    return length > 0 && length < MAX_PATH ? std::string(path, length) : ".";
}

bool buildFontBitmaps(unsigned listBase, int first, int count, int pixelHeight) {
    const HDC deviceContext = static_cast<HDC>(deviceContextHandle());
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

void* glProcAddress(const char* name) { return reinterpret_cast<void*>(wglGetProcAddress(name)); }
void waitMessage() { WaitMessage(); }
unsigned tickCount() { return unsigned(GetTickCount()); }
void sleepFor(unsigned milliseconds) { Sleep(milliseconds); }

// The link as text on the clipboard, which then owns the memory handed to it.
bool shareLink(const std::string& link) {
    if (!OpenClipboard(nullptr)) return false;
    bool copied = false;
    if (HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, link.size() + 1)) {
        if (void* text = GlobalLock(memory)) {
            std::memcpy(text, link.c_str(), link.size() + 1);
            GlobalUnlock(memory);
            copied = EmptyClipboard() && SetClipboardData(CF_TEXT, memory) != nullptr;
        }
        if (!copied) GlobalFree(memory);
    }
    CloseClipboard();
    return copied;
}
std::string installedData() { return std::string(); }  // the game's data sits beside the executable

constexpr Shell makeShell() {
    Shell s{};
    s.name = "win32";
    s.openWindow = openWindow;
    s.closeWindow = closeWindow;
    s.swapBuffers = swapBuffers;
    s.toggleFullscreen = toggleFullscreen;
    s.resizeWindow = resizeWindow;
    s.setVsync = setVsync;
    s.glProcAddress = glProcAddress;
    s.handleMessage = handleMessage;
    s.waitMessage = waitMessage;
    s.tickCount = tickCount;
    s.sleep = sleepFor;
    s.buildFontBitmaps = buildFontBitmaps;
    s.settingsFolder = settingsFolder;
    s.picturesFolder = picturesFolder;
    s.executableFolder = executableFolder;
    s.installedDataFolder = installedData;
    s.showFailureBox = showFailureBox;
    s.shareLink = shareLink;
    s.savesSharedFlights = true;
    s.drawCounts = nullptr;  // the driver's own GL
    s.openAudio = openAudio;
    s.feedAudio = feedAudio;
    s.closeAudio = closeAudio;
    return s;
}

constexpr Shell win32Shell = makeShell();

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
