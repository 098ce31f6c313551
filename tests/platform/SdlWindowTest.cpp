// The SDL shell's window steps: every failure shows exactly its boxes and tears down what was built. (The
// window test under Xvfb opens the real window and presses the keys and the mouse.)
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "SdlWindow.h"

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
    api.messageBox = [](const char* text, const char* caption, int kind) {
        boxes.push_back(std::string(caption) + "|" + text + "|" + std::to_string(kind));
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
    }
    void TearDown() override { useSdlWindowApi(nullptr); }
    SdlWindowApi api_;
};

}  // namespace

TEST_F(SdlWindowSteps, EveryOpeningFailureShowsItsBoxesAndTearsDown) {
    const auto error = [](const std::string& text) { return "ERROR|" + text + "|" + std::to_string(errorBox); };
    const std::string question =
        "GL|The Requested Fullscreen Mode Is Not Supported By\nYour Video Card. Use Windowed Mode Instead?|" +
        std::to_string(questionBox);
    const std::string activation = error("Can't Activate The GL Rendering Context.");
    const std::string released = "SHUTDOWN ERROR|Release Of DC And RC Failed.|" + std::to_string(shutdownBox);
    const struct {
        const char* failing;  // the steps that fail
        bool fullscreen, answerYes;
        std::vector<std::string> boxes;
        const char* lastCall;  // the teardown (down to the video subsystem, the window class) ran before the box
    } cases[] = {
        // No video driver, or one that shows nothing: a box would block where nobody can see it (stderr only).
        {"initVideo", false, false, {}, "initVideo"},
        {"hasDisplay", false, false, {}, "quitVideo"},
        {"createWindow", false, false, {error("Window Creation Error.")}, "quitVideo"},
        {"hasDrawable", false, false, {error("Can't Create A GL Device Context.")}, "quitVideo"},
        {"pixelFormatGranted", false, false, {error("Can't Find A Suitable PixelFormat.")}, "quitVideo"},
        {"requestPixelFormat", false, false, {error("Can't Set The PixelFormat.")}, "quitVideo"},
        {"createContext", false, false, {error("Can't Create A GL Rendering Context.")}, "quitVideo"},
        {"makeCurrent", false, false, {activation}, "quitVideo"},
        // Releasing the context held at the teardown fails too: a shutdown box, and the teardown carries on.
        {"makeCurrent releaseCurrent", false, false, {released, activation}, "quitVideo"},
        // An unsupported fullscreen mode asks; no closes, yes carries on windowed (here to the next failure).
        {"changeDisplayMode", true, false, {question, error("Program Will Now Close.")}, "changeDisplayMode"},
        {"changeDisplayMode createWindow", true, true, {question, error("Window Creation Error.")}, "quitVideo"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.failing);
        SetUp();
        failing = c.failing;
        answerYes = c.answerYes;
        EXPECT_FALSE(openWindow("Vanturo", 800, 600, 16, c.fullscreen));
        EXPECT_EQ(boxes, c.boxes);
        EXPECT_EQ(calls.back(), c.lastCall);
        EXPECT_EQ(gameWindow(), nullptr);
    }
}
