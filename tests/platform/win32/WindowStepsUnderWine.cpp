// The Win32 shell's window steps through the real Win32, GDI and WGL calls (under Wine in the tests), with
// each case's steps made to fail: the shared table's boxes, and the real window and class torn down. A program
// of its own, as the Windows build has no test framework: it prints each case and exits 1 on any failure.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "../WindowStepsCases.h"
#include "Win32Window.h"
#include "common/Report.h"
#include "common/Shell.h"

namespace {

const WindowStepsCase* now = nullptr;
std::vector<std::string> boxes;
const WindowSteps& real = win32WindowSteps();

// A failing step: an opening one fails without a call; a release is made for real, then said to have failed,
// so that each case leaves nothing behind for the next.
WindowSteps failing(const WindowStepsCase& c) {
    WindowSteps s = real;
    const auto fails = [&c](const char* step) { return stepFails(c, step); };
    if (fails("registerClass")) s.registerClass = [] { return false; };
    if (fails("changeDisplayMode")) s.changeDisplayMode = [](int, int, int) { return false; };
    if (fails("createWindow")) s.createWindow = [](const char*, int, int, int, bool) { return false; };
    if (fails("getDeviceContext")) s.getDeviceContext = [] { return false; };
    if (fails("choosePixelFormat")) s.choosePixelFormat = [](int) { return false; };
    if (fails("setPixelFormat")) s.setPixelFormat = [] { return false; };
    if (fails("createContext")) s.createContext = [] { return false; };
    if (fails("makeCurrent")) s.makeCurrent = [] { return false; };
    if (fails("releaseCurrent")) s.releaseCurrent = [] { return !real.releaseCurrent() && false; };
    if (fails("deleteContext")) s.deleteContext = [] { return !real.deleteContext() && false; };
    if (fails("releaseDeviceContext")) s.releaseDeviceContext = [] { return !real.releaseDeviceContext() && false; };
    if (fails("destroyWindow")) s.destroyWindow = [] { return !real.destroyWindow() && false; };
    if (fails("unregisterClass")) s.unregisterClass = [] { return !real.unregisterClass() && false; };
    s.messageBox = [](const char* text, const char* caption, BoxKind kind) {
        boxes.push_back(boxRow(caption, text, kind));
        return now->answerYes;
    };
    return s;
}

// The one service the steps reach, the scene's start asking for multitexturing: never offered, so the start
// fails once the context is current.
void* noEntryPoint(const char*) { return nullptr; }
constexpr Shell makeShell() {
    Shell s{};
    s.name = "window-steps-test";
    s.glProcAddress = noEntryPoint;
    return s;
}
constexpr Shell sceneWithoutMultitexture = makeShell();

std::string joined(const std::vector<std::string>& rows) {
    std::string out;
    for (const std::string& row : rows) out += "[" + row + "] ";
    return out;
}

}  // namespace

int main() {
    setProgramName("window-steps-test");
    useShell(sceneWithoutMultitexture);
    int failures = 0;
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    for (const WindowStepsCase& c : windowStepsCases()) {
        if (stepFails(c, "hasDisplay")) continue;  // a Windows desktop is always seen
        now = &c;
        boxes.clear();
        const WindowSteps steps = failing(c);
        const bool opened = openWindowInSteps(steps, "Vanturo", 320, 240, 16, c.fullscreen);
        // The class stays registered only where the steps keep it (No to the fullscreen question).
        WNDCLASSA info;
        const bool classRegistered = GetClassInfoA(instance, "OpenGL", &info) != FALSE;
        const bool classKept = std::string(c.teardown).empty() && !stepFails(c, "registerClass");
        const bool windowLeft = FindWindowA("OpenGL", nullptr) != nullptr;
        const bool ok = !opened && boxes == c.boxes && classRegistered == classKept && !windowLeft;
        std::printf("%s: %s\n", ok ? "ok" : "FAILED", c.failing);
        if (!ok) {
            std::printf("  boxes %s\n  expected %s\n  class registered %d (expected %d), a window left %d\n",
                        joined(boxes).c_str(), joined(c.boxes).c_str(), classRegistered, classKept, windowLeft);
            ++failures;
        }
        if (classRegistered) UnregisterClassA("OpenGL", instance);
    }
    std::printf("%d of %d cases failed\n", failures, int(windowStepsCases().size()) - 1);
    return failures == 0 ? 0 : 1;
}
