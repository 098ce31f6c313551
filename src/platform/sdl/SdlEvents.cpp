// The SDL2 shell's events: keys to virtual-key codes, mouse to steering and pitch, window changes.
#include "SdlEvents.h"

#include <SDL.h>

#include <algorithm>

#include "SdlWindow.h"
#include "app/Gamepad.h"
#include "app/Input.h"
#include "app/KeyTable.h"
#include "app/SettingChange.h"
#include "app/Settings.h"
#include "app/Viewport.h"

int virtualKeyFor(int key) {
    if (key >= SDLK_0 && key <= SDLK_9) return '0' + (key - SDLK_0);
    if (key >= SDLK_a && key <= SDLK_z) return 'A' + (key - SDLK_a);  // letters by their capitals
    if (key >= SDLK_F1 && key <= SDLK_F12) return 0x70 + (key - SDLK_F1);
    switch (key) {
        case SDLK_BACKSPACE: return vkBack;
        case SDLK_TAB: return 0x09;
        case SDLK_RETURN:
        case SDLK_KP_ENTER: return vkReturn;
        case SDLK_PAUSE: return 0x13;
        case SDLK_CAPSLOCK: return 0x14;
        case SDLK_ESCAPE: return vkEscape;
        case SDLK_SPACE: return 0x20;
        case SDLK_PAGEUP: return 0x21;
        case SDLK_PAGEDOWN: return 0x22;
        case SDLK_END: return 0x23;
        case SDLK_HOME: return 0x24;
        case SDLK_LEFT: return vkLeft;
        case SDLK_UP: return vkUp;
        case SDLK_RIGHT: return vkRight;
        case SDLK_DOWN: return vkDown;
        case SDLK_INSERT: return 0x2D;
        case SDLK_DELETE: return 0x2E;
        case SDLK_LSHIFT:
        case SDLK_RSHIFT: return 0x10;
        case SDLK_LCTRL:
        case SDLK_RCTRL: return 0x11;
        case SDLK_KP_0:
        case SDLK_KP_1:
        case SDLK_KP_2:
        case SDLK_KP_3:
        case SDLK_KP_4:
        case SDLK_KP_5:
        case SDLK_KP_6:
        case SDLK_KP_7:
        case SDLK_KP_8:
        case SDLK_KP_9: return 0x60 + (key == SDLK_KP_0 ? 0 : key - SDLK_KP_1 + 1);
        default: return -1;
    }
}

namespace {

// Keys held with Alt, and F10, reach Windows as system keys, which the game does not record.
bool isSystemKey(const SDL_KeyboardEvent& key) {
    return (key.keysym.mod & KMOD_ALT) != 0 || key.keysym.sym == SDLK_F10 || key.keysym.sym == SDLK_LALT ||
           key.keysym.sym == SDLK_RALT;
}

// Alt+Enter switches between the window and the whole screen, as the fullscreen key (F11) does.
bool isFullscreenToggle(const SDL_KeyboardEvent& key) {
    return key.repeat == 0 && (key.keysym.sym == SDLK_RETURN || key.keysym.sym == SDLK_KP_ENTER) &&
           (key.keysym.mod & KMOD_ALT) != 0;
}

// A controller's buttons by the game's names for them.
int virtualKeyForButton(Uint8 button) {
    switch (button) {
        case SDL_CONTROLLER_BUTTON_DPAD_UP: return virtualKeyForPadButton(PadButton::up);
        case SDL_CONTROLLER_BUTTON_DPAD_DOWN: return virtualKeyForPadButton(PadButton::down);
        case SDL_CONTROLLER_BUTTON_DPAD_LEFT: return virtualKeyForPadButton(PadButton::left);
        case SDL_CONTROLLER_BUTTON_DPAD_RIGHT: return virtualKeyForPadButton(PadButton::right);
        case SDL_CONTROLLER_BUTTON_A: return virtualKeyForPadButton(PadButton::a);
        case SDL_CONTROLLER_BUTTON_B: return virtualKeyForPadButton(PadButton::b);
        case SDL_CONTROLLER_BUTTON_START: return virtualKeyForPadButton(PadButton::start);
        default: return -1;
    }
}

void handleControllerAxis(const SDL_ControllerAxisEvent& axis) {
    if (axis.axis == SDL_CONTROLLER_AXIS_LEFTX) onSteeringStick(stickPosition(axis.value));
    if (axis.axis == SDL_CONTROLLER_AXIS_RIGHTY) onCameraStick(stickPosition(axis.value));
}

void handleWindowEvent(const SDL_WindowEvent& w) {
    SDL_Window* window = SDL_GetWindowFromID(w.windowID);
    const bool minimised = window && (SDL_GetWindowFlags(window) & SDL_WINDOW_MINIMIZED) != 0;
    switch (w.event) {
        case SDL_WINDOWEVENT_SIZE_CHANGED: {
            int width = w.data1, height = w.data2;
            clientSize(width, height);
            resizeViewport(width, height);
            break;
        }
        case SDL_WINDOWEVENT_MINIMIZED:
            onActive(false);
            resizeViewport(0, 0);  // a minimised window has a client area of 0 by 0
            break;
        case SDL_WINDOWEVENT_RESTORED:
        case SDL_WINDOWEVENT_SHOWN: onActive(true); break;
        case SDL_WINDOWEVENT_FOCUS_GAINED:
            onActive(!minimised);
            SDL_DisableScreenSaver();  // no screen saver while the game has the focus
            break;
        case SDL_WINDOWEVENT_FOCUS_LOST:
            onActive(!minimised);  // losing the focus alone keeps drawing on
            SDL_EnableScreenSaver();
            break;
        case SDL_WINDOWEVENT_CLOSE: {
            SDL_Event quit = {};
            quit.type = SDL_QUIT;
            SDL_PushEvent(&quit);
            break;
        }
        default: break;
    }
}

}  // namespace

bool handleEvent(const SDL_Event& event) {
    switch (event.type) {
        case SDL_QUIT: return false;
        case SDL_KEYDOWN:
        case SDL_KEYUP: {
            if (event.type == SDL_KEYDOWN && isFullscreenToggle(event.key)) {
                onFullscreenToggle();
                break;
            }
            if (isSystemKey(event.key)) break;
            const int vk = virtualKeyFor(event.key.keysym.sym);
            if (vk >= 0) onKey(vk, event.type == SDL_KEYDOWN);
            break;
        }
        case SDL_MOUSEMOTION: onMouseMove(unsigned(event.motion.x), unsigned(event.motion.y)); break;
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP:
            if (event.button.button == SDL_BUTTON_LEFT) onKey(vkLeftButton, event.type == SDL_MOUSEBUTTONDOWN);
            break;
        case SDL_WINDOWEVENT: handleWindowEvent(event.window); break;
        case SDL_CONTROLLERDEVICEADDED:
            // Kept open for the whole run: SDL closes it when the game ends.
            if (SDL_IsGameController(event.cdevice.which)) SDL_GameControllerOpen(event.cdevice.which);
            break;
        case SDL_CONTROLLERAXISMOTION: handleControllerAxis(event.caxis); break;
        case SDL_CONTROLLERBUTTONDOWN:
        case SDL_CONTROLLERBUTTONUP: {
            const int vk = virtualKeyForButton(event.cbutton.button);
            if (vk >= 0) onKey(vk, event.type == SDL_CONTROLLERBUTTONDOWN);
            break;
        }
        default: break;
    }
    return true;
}
