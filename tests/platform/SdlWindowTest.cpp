// The SDL shell's window steps: every failure shows exactly its box and tears down what was built.
#include <SDL.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "SdlEvents.h"
#include "SdlWindow.h"
#include "app/Game.h"
#include "common/ShellState.h"
#include "objects/Ship.h"
#include "view/Camera.h"

namespace {

struct Box {
    std::string text, caption;
    int kind;
};
std::vector<Box> boxes;
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
        boxes.push_back({text, caption, kind});
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
    } cases[] = {
        {"hasDisplay", "No Display Is Available."},
        {"createWindow", "Window Creation Error."},
        {"hasDrawable", "Can't Create A GL Device Context."},
        {"pixelFormatGranted", "Can't Find A Suitable PixelFormat."},
        {"requestPixelFormat", "Can't Set The PixelFormat."},
        {"createContext", "Can't Create A GL Rendering Context."},
        {"makeCurrent", "Can't Activate The GL Rendering Context."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.step);
        SetUp();
        failing = c.step;
        EXPECT_FALSE(openWindow("Vanturo", 800, 600, 16, false));
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].text, c.message);
        EXPECT_EQ(boxes[0].caption, "ERROR");
        EXPECT_EQ(boxes[0].kind, errorBox);
        // The teardown (down to the video subsystem, the window class) ran before the box.
        EXPECT_EQ(calls.back(), "quitVideo");
        EXPECT_EQ(gameWindow(), nullptr);
    }
}

TEST_F(SdlWindowSteps, ClassRegistrationFailureShowsItsBoxAndTearsNothingDown) {
    failing = "initVideo";
    EXPECT_FALSE(openWindow("Vanturo", 800, 600, 16, false));
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Failed To Register The Window Class.");
    EXPECT_EQ(boxes[0].caption, "ERROR");
    EXPECT_EQ(calls, std::vector<std::string>{"initVideo"});
}

TEST_F(SdlWindowSteps, UnsupportedFullscreenAsksAndEitherFallsBackOrCloses) {
    failing = "changeDisplayMode";
    answerYes = false;
    EXPECT_FALSE(openWindow("Vanturo", 800, 600, 16, true));
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].text,
              "The Requested Fullscreen Mode Is Not Supported By\nYour Video Card. Use Windowed Mode Instead?");
    EXPECT_EQ(boxes[0].caption, "GL");
    EXPECT_EQ(boxes[0].kind, questionBox);
    EXPECT_EQ(boxes[1].text, "Program Will Now Close.");
    EXPECT_EQ(boxes[1].caption, "ERROR");

    SetUp();
    failing = "changeDisplayMode";
    answerYes = true;
    failing = "createWindow";  // carries on windowed, as far as the next failure
    EXPECT_FALSE(openWindow("Vanturo", 800, 600, 16, true));
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Window Creation Error.");
}

TEST_F(SdlWindowSteps, ReleasingTheContextReportsAShutdownErrorAndCarriesOn) {
    // Activation fails, so the teardown runs with a context held, and releasing it fails too.
    api_.makeCurrent = [](void*, void*) {
        calls.push_back("makeCurrent");
        return false;
    };
    EXPECT_FALSE(openWindow("Vanturo", 800, 600, 16, false));
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].text, "Release Of DC And RC Failed.");
    EXPECT_EQ(boxes[0].caption, "SHUTDOWN ERROR");
    EXPECT_EQ(boxes[0].kind, shutdownBox);
    EXPECT_EQ(boxes[1].text, "Can't Activate The GL Rendering Context.");
    EXPECT_EQ(calls.back(), "quitVideo");
}

TEST(SdlEvents, MouseAndKeysReachTheGameStateButAltKeysDoNot) {
    EXPECT_EQ(virtualKeyFor(SDLK_ESCAPE), 0x1B);
    EXPECT_EQ(virtualKeyFor(SDLK_a), 'A');  // letters by their capitals, as Windows codes them
    EXPECT_EQ(virtualKeyFor(SDLK_LEFT), 0x25);
    SDL_Event motion = {};
    motion.type = SDL_MOUSEMOTION;
    motion.motion.x = 0;
    motion.motion.y = 300;
    EXPECT_TRUE(handleEvent(motion));
    EXPECT_FLOAT_EQ(Ship::player.steer, 0.5f);
    EXPECT_NEAR(Camera::instance().pitch, 0.5f, 1e-6);

    SDL_Event key = {};
    key.type = SDL_KEYDOWN;
    key.key.keysym.sym = SDLK_2;
    handleEvent(key);
    EXPECT_TRUE(keys[vkLines]);
    key.type = SDL_KEYUP;
    handleEvent(key);
    EXPECT_FALSE(keys[vkLines]);

    key.type = SDL_KEYDOWN;
    key.key.keysym.sym = SDLK_1;
    key.key.keysym.mod = KMOD_LALT;
    handleEvent(key);
    EXPECT_FALSE(keys[vkFill]);

    SDL_Event quit = {};
    quit.type = SDL_QUIT;
    EXPECT_FALSE(handleEvent(quit));
    Ship::player.steer = 0;
    Camera::instance().pitch = 0;
}

TEST(SdlEvents, TheControllersSticksSteerAndRaiseTheCameraAsTheMouseDoes) {
    struct Case {
        Uint8 axis;
        Sint16 value;
        float steer, pitch;  // what the mouse gives at the matching place in the 800 by 600 window
    };
    const Case cases[] = {
        {SDL_CONTROLLER_AXIS_LEFTX, -32768, 0.5f, 0.5f},   // full left: the mouse at x 0
        {SDL_CONTROLLER_AXIS_LEFTX, 32767, -0.5f, 0.5f},   // full right: x 800
        {SDL_CONTROLLER_AXIS_LEFTX, 7000, 0, 0.5f},        // at rest, within the dead zone: straight on
        {SDL_CONTROLLER_AXIS_RIGHTY, 32767, 0, 1},         // down: the mouse at y 600
        {SDL_CONTROLLER_AXIS_RIGHTY, -32768, 0, 0},        // up: y 0
        {SDL_CONTROLLER_AXIS_LEFTY, 32767, 0, 0.5f},       // the other axes do nothing
    };
    for (const Case& c : cases) {
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
