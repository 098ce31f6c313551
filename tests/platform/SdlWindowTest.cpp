// The SDL shell's window steps: every failure shows exactly its box and tears down what was built; and the
// controller, which the window test under Xvfb cannot reach. (Keys and the mouse are pressed there.)
#include <SDL.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "SdlEvents.h"
#include "SdlWindow.h"
#include "app/Game.h"
#include "objects/Ship.h"
#include "view/Camera.h"

namespace {

std::vector<std::string> boxes;  // caption|text|kind of each box shown
std::vector<std::string> calls;
std::string failing;     // the step that fails
bool answerYes = false;  // the answer to the fullscreen question
int dummy;

bool fails(const char* step) {
    calls.push_back(step);
    return failing == step;
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

TEST_F(SdlWindowSteps, EveryOpeningFailureShowsItsMessageOnceAndTearsDown) {
    const struct {
        const char* step;
        const char* message;
        const char* lastCall;  // the teardown (down to the video subsystem, the window class) ran before the box
    } cases[] = {
        {"initVideo", "Failed To Register The Window Class.", "initVideo"},  // nothing to tear down
        {"hasDisplay", "No Display Is Available.", "quitVideo"},
        {"createWindow", "Window Creation Error.", "quitVideo"},
        {"hasDrawable", "Can't Create A GL Device Context.", "quitVideo"},
        {"pixelFormatGranted", "Can't Find A Suitable PixelFormat.", "quitVideo"},
        {"requestPixelFormat", "Can't Set The PixelFormat.", "quitVideo"},
        {"createContext", "Can't Create A GL Rendering Context.", "quitVideo"},
        {"makeCurrent", "Can't Activate The GL Rendering Context.", "quitVideo"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.step);
        SetUp();
        failing = c.step;
        EXPECT_FALSE(openWindow("Vanturo", 800, 600, 16, false));
        EXPECT_EQ(boxes, std::vector<std::string>{std::string("ERROR|") + c.message + "|" + std::to_string(errorBox)});
        EXPECT_EQ(calls.back(), c.lastCall);
        EXPECT_EQ(gameWindow(), nullptr);
    }
}

TEST_F(SdlWindowSteps, UnsupportedFullscreenAsksAndEitherFallsBackOrCloses) {
    const std::string question =
        "GL|The Requested Fullscreen Mode Is Not Supported By\nYour Video Card. Use Windowed "
        "Mode Instead?|" +
        std::to_string(questionBox);
    failing = "changeDisplayMode";
    EXPECT_FALSE(openWindow("Vanturo", 800, 600, 16, true));
    EXPECT_EQ(boxes, (std::vector<std::string>{question, "ERROR|Program Will Now Close.|" + std::to_string(errorBox)}));

    SetUp();
    answerYes = true;
    failing = "createWindow";  // the display mode is refused below; windowed, it carries on to the next failure
    api_.changeDisplayMode = [](int, int, int) { return false; };
    EXPECT_FALSE(openWindow("Vanturo", 800, 600, 16, true));
    EXPECT_EQ(boxes, (std::vector<std::string>{question, "ERROR|Window Creation Error.|" + std::to_string(errorBox)}));
}

TEST_F(SdlWindowSteps, ReleasingTheContextReportsAShutdownErrorAndCarriesOn) {
    // Activation fails, so the teardown runs with a context held, and releasing it fails too.
    api_.makeCurrent = [](void*, void*) { return false; };
    EXPECT_FALSE(openWindow("Vanturo", 800, 600, 16, false));
    EXPECT_EQ(boxes,
              (std::vector<std::string>{"SHUTDOWN ERROR|Release Of DC And RC Failed.|" + std::to_string(shutdownBox),
                                        "ERROR|Can't Activate The GL Rendering Context.|" + std::to_string(errorBox)}));
    EXPECT_EQ(calls.back(), "quitVideo");
}

TEST(SdlEvents, TheControllersSticksSteerAndRaiseTheCameraAsTheMouseWould) {
    const struct {
        Uint8 axis;
        Sint16 value;
        float steer, pitch;  // what the mouse gives at the matching place in the 800 by 600 window
    } cases[] = {
        {SDL_CONTROLLER_AXIS_LEFTX, -32768, 0.5f, 0.5f},  // full left: the mouse at x 0
        {SDL_CONTROLLER_AXIS_LEFTX, 7000, 0, 0.5f},       // at rest, within the dead zone: straight on
        {SDL_CONTROLLER_AXIS_RIGHTY, 32767, 0, 1},        // down: the mouse at y 600
        {SDL_CONTROLLER_AXIS_LEFTY, 32767, 0, 0.5f},      // the other axes do nothing
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(int(c.axis) * 100000 + c.value);
        onSteeringStick(0);
        onCameraStick(0);
        SDL_Event event = {};
        event.type = SDL_CONTROLLERAXISMOTION;
        event.caxis.axis = c.axis;
        event.caxis.value = c.value;
        EXPECT_TRUE(handleEvent(event));
        EXPECT_NEAR(Ship::player.steer, c.steer, 1e-6);
        EXPECT_NEAR(Camera::instance().pitch, c.pitch, 1e-6);
    }
    Ship::player.steer = 0;
    Camera::instance().pitch = 0;
}
