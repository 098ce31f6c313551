// wintool: looks at the game's window from inside Windows (or Wine), for the tests.
//   wintool find            prints "class title clientWidth clientHeight" of the top-level window of class OpenGL
//   wintool close           posts WM_CLOSE to it, as its close button does
//   wintool box CAPTION     prints the text of a message box with that caption, if one is showing
// Exit code 0 when the window or box was found, 1 when not.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

BOOL CALLBACK collectText(HWND child, LPARAM out) {
    char className[64] = {}, text[512] = {};
    GetClassNameA(child, className, sizeof className);
    GetWindowTextA(child, text, sizeof text);
    // The message of a box stands in a static control; the buttons are buttons.
    if (_stricmp(className, "Static") == 0 && text[0]) *reinterpret_cast<std::string*>(out) += text;
    return TRUE;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc >= 2 && std::strcmp(argv[1], "find") == 0) {
        HWND window = FindWindowA("OpenGL", nullptr);
        if (!window) return 1;
        char title[256] = {};
        GetWindowTextA(window, title, sizeof title);
        RECT client;
        GetClientRect(window, &client);
        std::printf("OpenGL %s %ld %ld\n", title, client.right - client.left, client.bottom - client.top);
        return 0;
    }
    if (argc >= 2 && std::strcmp(argv[1], "close") == 0) {
        HWND window = FindWindowA("OpenGL", nullptr);
        return window && PostMessageA(window, WM_CLOSE, 0, 0) ? 0 : 1;
    }
    if (argc >= 3 && std::strcmp(argv[1], "box") == 0) {
        HWND box = FindWindowA("#32770", argv[2]);  // the dialog class of message boxes
        if (!box) return 1;
        std::string text;
        EnumChildWindows(box, collectText, reinterpret_cast<LPARAM>(&text));
        std::printf("%s\n", text.c_str());
        return 0;
    }
    std::fprintf(stderr, "usage: wintool find | close | box CAPTION\n");
    return 2;
}
