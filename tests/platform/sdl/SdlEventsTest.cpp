// The SDL shell's events from a game controller: the sticks steer and move the camera as the mouse does, the
// dead zone flies straight, and the pad's buttons are keys.
#include <gtest/gtest.h>

#include <SDL.h>

#include "SdlEvents.h"
#include "app/KeyTable.h"
#include "app/Settings.h"
#include "common/InputState.h"
#include "objects/Ship.h"
#include "view/Camera.h"

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
