// The window steps themselves, over steps that only record: every failure shows exactly its boxes and tears
// down exactly what was made, in reverse order. (The SDL and Win32 shells' tests run the same table through
// their own calls.)
#include <gtest/gtest.h>

#include "Headless.h"
#include "WindowStepsCases.h"
#include "common/Shell.h"

namespace {

const WindowStepsCase* now = nullptr;
std::vector<std::string> boxes, calls;

bool step(const char* name) {
    calls.push_back(name);
    return !stepFails(*now, name);
}

WindowSteps recordingSteps() {
    WindowSteps s{};
    s.registerClass = [] { return step("registerClass"); };
    s.hasDisplay = [] { return step("hasDisplay"); };
    s.changeDisplayMode = [](int, int, int) { return step("changeDisplayMode"); };
    s.createWindow = [](const char*, int, int, int, bool) { return step("createWindow"); };
    s.getDeviceContext = [] { return step("getDeviceContext"); };
    s.choosePixelFormat = [](int) { return step("choosePixelFormat"); };
    s.setPixelFormat = [] { return step("setPixelFormat"); };
    s.createContext = [] { return step("createContext"); };
    s.makeCurrent = [] { return step("makeCurrent"); };
    s.show = [] { step("show"); };
    s.releaseCurrent = [] { return step("releaseCurrent"); };
    s.deleteContext = [] { return step("deleteContext"); };
    s.releaseDeviceContext = [] { return step("releaseDeviceContext"); };
    s.destroyWindow = [] { return step("destroyWindow"); };
    s.unregisterClass = [] { return step("unregisterClass"); };
    s.messageBox = [](const char* text, const char* caption, BoxKind kind) {
        boxes.push_back(boxRow(caption, text, kind));
        return now->answerYes;
    };
    return s;
}

// The releases among the calls made, in order.
std::string releasesIn(const std::vector<std::string>& made) {
    std::string out;
    for (const std::string& call : made)
        for (const char* release :
             {"releaseCurrent", "deleteContext", "releaseDeviceContext", "destroyWindow", "unregisterClass"})
            if (call == release) out += (out.empty() ? "" : " ") + call;
    return out;
}

// A shell that offers no multitexturing: the scene's start fails at its first step.
Shell withoutMultitexture() {
    Shell s = headless::shell();
    s.glProcAddress = [](const char*) -> void* { return nullptr; };
    return s;
}

}  // namespace

TEST(WindowSteps, EveryFailureShowsItsBoxesAndTearsDownWhatWasMadeInReverse) {
    const Shell shell = withoutMultitexture();
    useShell(shell);
    for (const bool canTellDisplay : {false, true}) {
        WindowSteps steps = recordingSteps();
        if (!canTellDisplay) steps.hasDisplay = nullptr;
        for (const WindowStepsCase& c : windowStepsCases()) {
            if (!canTellDisplay && stepFails(c, "hasDisplay")) continue;
            SCOPED_TRACE(std::string(c.failing) + (canTellDisplay ? " (a platform that can tell)" : ""));
            now = &c;
            boxes.clear();
            calls.clear();
            EXPECT_FALSE(openWindowInSteps(steps, "Vanturo", 800, 600, 16, c.fullscreen));
            EXPECT_EQ(boxes, canTellDisplay && beforeDisplayKnown(c) ? std::vector<std::string>() : c.boxes);
            EXPECT_EQ(releasesIn(calls), c.teardown);
            // Nothing else is held after a failure: closing again releases only a class that was kept.
            const bool classKept = std::string(c.teardown).empty() && !stepFails(c, "registerClass");
            calls.clear();
            closeWindowInSteps(steps);
            EXPECT_EQ(releasesIn(calls), classKept ? "unregisterClass" : "");
        }
    }
}
