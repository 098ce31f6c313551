// The SDL shell's window steps: every failure shows exactly its boxes and tears down what was built. (The
// window test under Xvfb opens the real window and presses the keys and the mouse.)
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <SDL.h>

#include "SdlEvents.h"
#include "Headless.h"
#include "SdlWindow.h"
#include "app/KeyTable.h"
#include "app/Settings.h"
#include "common/Report.h"
#include "common/Shell.h"
#include "common/ShellState.h"
#include "objects/Ship.h"
#include "view/Camera.h"

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
        boxShell_ = headless::shell();
        boxShell_.showFailureBox = showFailureBox;  // the SDL game's boxes
        useShell(boxShell_);
    }
    void TearDown() override { useSdlWindowApi(nullptr); }
    SdlWindowApi api_;
    Shell boxShell_;
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

TEST(SdlControllerEvents, ALeftStickSteersAndARightStickMovesTheCameraAsTheMouseDoesAndRestFliesStraight) {
    // A virtual controller through SDL's own joystick layer: the events the shell handles are SDL's.
    ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER), 0) << SDL_GetError();
    const int device = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER, SDL_CONTROLLER_AXIS_MAX,
                                                 SDL_CONTROLLER_BUTTON_MAX, 0);
    ASSERT_GE(device, 0) << SDL_GetError();
    const struct {
        const char* deadzone;  // the setting
        Sint16 left, right;
        float steer, pitch;  // as the mouse at the left edge and the middle, or at rest in the middle
    } cases[] = {{"8000", -32768, 32767, 0.5f, 1.0f},
                 {"8000", 32767, -32768, -0.5f, 0.0f},
                 {"8000", 6000, -3000, 0.0f, 0.5f},
                 {"4000", 6001, -3000, -0.5f * 2001 / 28767, 0.5f}};  // a smaller dead zone: a little turn
    SDL_Joystick* stick = nullptr;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.left);
        gameSettings().set(settingIndex(SettingId::gamepadDeadzone), c.deadzone);
        SDL_Event event;
        while (SDL_PollEvent(&event)) handleEvent(event);  // the controller's arrival opens it
        if (!stick) stick = SDL_JoystickFromInstanceID(SDL_JoystickGetDeviceInstanceID(device));
        ASSERT_NE(stick, nullptr);
        SDL_JoystickSetVirtualAxis(stick, SDL_CONTROLLER_AXIS_LEFTX, c.left);
        SDL_JoystickSetVirtualAxis(stick, SDL_CONTROLLER_AXIS_RIGHTY, c.right);
        SDL_JoystickUpdate();
        SDL_GameControllerUpdate();
        while (SDL_PollEvent(&event)) handleEvent(event);
        EXPECT_NEAR(Ship::player.steer, c.steer, 1e-3);
        EXPECT_NEAR(Camera::instance().pitch, c.pitch, 1e-3);
    }
    // The pad's buttons are keys: it moves through the settings screen, B goes back, Start opens it.
    for (const auto& [button, key] : {std::pair{SDL_CONTROLLER_BUTTON_DPAD_DOWN, vkDown},
                                      {SDL_CONTROLLER_BUTTON_B, vkBack},
                                      {SDL_CONTROLLER_BUTTON_START, keyCode(KeyAction::settings)}}) {
        SDL_JoystickSetVirtualButton(stick, button, 1);
        SDL_JoystickUpdate();
        SDL_GameControllerUpdate();
        SDL_Event event;
        while (SDL_PollEvent(&event)) handleEvent(event);
        EXPECT_TRUE(keys[key] && keysPressed[key]) << key;
        SDL_JoystickSetVirtualButton(stick, button, 0);
        SDL_JoystickUpdate();
        SDL_GameControllerUpdate();
        while (SDL_PollEvent(&event)) handleEvent(event);
        EXPECT_FALSE(keys[key]) << key;
    }
    gameSettings() = Settings();
    SDL_JoystickDetachVirtual(device);
    SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
}
