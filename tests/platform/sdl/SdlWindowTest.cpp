// The SDL shell's window steps through SDL's calls: every failure of the shared table shows exactly its boxes and
// tears down what was built. (The window test under Xvfb opens the real window and presses the keys and the
// mouse.)
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../WindowStepsCases.h"
#include "Headless.h"
#include "SdlWindow.h"
#include "common/Shell.h"

namespace {

std::vector<std::string> boxes;  // caption|text|kind of each box shown
std::vector<std::string> calls;
std::string failing;     // the steps that fail, separated by spaces
bool answerYes = false;  // the answer to the fullscreen question
int dummy;

bool fails(const char* step) {
    calls.push_back(step);
    return (" " + failing + " ").find(" " + std::string(step) + " ") != std::string::npos;
}

SdlWindowApi fakeApi() {
    SdlWindowApi api;
    api.initVideo = [] { return fails("initVideo") ? -1 : 0; };
    api.quitVideo = [] { calls.push_back("quitVideo"); };
    api.hasDisplay = [] { return !fails("hasDisplay"); };
    api.changeDisplayMode = [](int, int, int) { return !fails("changeDisplayMode"); };
    api.createWindow = [](const char*, int, int, bool) -> void* { return fails("createWindow") ? nullptr : &dummy; };
    api.destroyWindow = [](void*) { calls.push_back("destroyWindow"); };
    api.hasDrawable = [](void*) { return !fails("hasDrawable"); };
    api.requestPixelFormat = [](int, int) { return !fails("requestPixelFormat"); };
    api.pixelFormatGranted = [](void*) { return !fails("pixelFormatGranted"); };
    api.createContext = [](void*) -> void* { return fails("createContext") ? nullptr : &dummy; };
    api.makeCurrent = [](void*, void* context) { return !fails(context ? "makeCurrent" : "releaseCurrent"); };
    api.deleteContext = [](void*) { calls.push_back("deleteContext"); };
    api.show = [](void*) { calls.push_back("show"); };
    api.messageBox = [](const char* text, const char* caption, BoxKind kind) {
        boxes.push_back(boxRow(caption, text, kind));
        return answerYes;
    };
    return api;
}

class SdlWindowSteps : public ::testing::Test {
   protected:
    void SetUp() override {
        boxes.clear();
        calls.clear();
        failing.clear();
        answerYes = false;
        api_ = fakeApi();
        useSdlWindowApi(&api_);
        boxShell_ = headless::shell();
        boxShell_.showFailureBox = showFailureBox;  // the SDL game's boxes
        // No multitexturing: the scene's start, when a case gets there, fails at once.
        boxShell_.glProcAddress = [](const char*) -> void* { return nullptr; };
        useShell(boxShell_);
    }
    void TearDown() override { useSdlWindowApi(nullptr); }
    SdlWindowApi api_;
    Shell boxShell_;
};

}  // namespace

// The SDL call each window step is made of; "" where SDL's step cannot fail.
const char* sdlCallOf(const std::string& step) {
    const std::pair<const char*, const char*> calls[] = {{"registerClass", "initVideo"},
                                                         {"hasDisplay", "hasDisplay"},
                                                         {"changeDisplayMode", "changeDisplayMode"},
                                                         {"createWindow", "createWindow"},
                                                         {"getDeviceContext", "hasDrawable"},
                                                         {"choosePixelFormat", "pixelFormatGranted"},
                                                         {"setPixelFormat", "requestPixelFormat"},
                                                         {"createContext", "createContext"},
                                                         {"makeCurrent", "makeCurrent"},
                                                         {"releaseCurrent", "releaseCurrent"},
                                                         {"deleteContext", "deleteContext"},
                                                         {"destroyWindow", "destroyWindow"},
                                                         {"unregisterClass", "quitVideo"}};
    for (const auto& [name, call] : calls)
        if (step == name) return call;
    return "";
}

TEST_F(SdlWindowSteps, EveryOpeningFailureShowsItsBoxesAndTearsDown) {
    for (const WindowStepsCase& c : windowStepsCases()) {
        // The steps that fail, as SDL's calls; a case with a step SDL cannot fail (a release that returns
        // nothing) is the recording test's alone.
        std::string sdlFailing;
        bool possible = true;
        for (size_t at = 0; at < std::string(c.failing).size();) {
            const std::string failing(c.failing);
            const size_t end = std::min(failing.find(' ', at), failing.size());
            const std::string step = failing.substr(at, end - at), call = sdlCallOf(step);
            const bool canFail = step == "setupScene" || (call != "" && call != "deleteContext" &&
                                                          call != "destroyWindow" && call != "quitVideo");
            possible = possible && canFail;
            sdlFailing += call + " ";
            at = end + 1;
        }
        if (!possible) continue;
        SCOPED_TRACE(c.failing);
        SetUp();
        failing = sdlFailing;
        answerYes = c.answerYes;
        EXPECT_FALSE(openWindow("Vanturo", 800, 600, 16, c.fullscreen));
        EXPECT_EQ(boxes, beforeDisplayKnown(c) ? std::vector<std::string>() : c.boxes);
        EXPECT_EQ(gameWindow(), nullptr);
        // The teardown's calls, as SDL makes them, end the calls.
        std::string teardown, tail;
        for (const char* step : {"releaseCurrent", "deleteContext", "destroyWindow", "unregisterClass"})
            if ((" " + std::string(c.teardown) + " ").find(" " + std::string(step) + " ") != std::string::npos)
                teardown += std::string(sdlCallOf(step)) + " ";
        const size_t count = size_t(std::count(teardown.begin(), teardown.end(), ' '));
        for (size_t i = calls.size() - std::min(count, calls.size()); i < calls.size(); ++i) tail += calls[i] + " ";
        EXPECT_EQ(tail, teardown);
    }
}
