// The window's opening and closing steps, with every failure's message and teardown.
#include "platform/WindowSteps.h"

#include <string>

#include "app/SceneSetup.h"
#include "app/Viewport.h"
#include "common/Report.h"

namespace {

// What is held now, for the teardown.
struct Held {
    bool classRegistered = false, window = false, deviceContext = false, context = false;
    bool current = false;    // the context made current: only then is there one to release
    bool boxesShow = false;  // a box only where the game could be seen: nobody would answer it elsewhere
} held;

const char* const errorCaption = "ERROR";
const char* const shutdownCaption = "SHUTDOWN ERROR";

// Said on stderr (with what the platform says of a call of its own that failed) and shown in a box where one
// can be seen; the box's answer.
bool tell(const WindowSteps& steps, const char* text, const char* caption, BoxKind kind, bool platformCall = true) {
    if (kind != questionBox) {
        const std::string more = platformCall && steps.lastError ? steps.lastError() : "";
        reportError(more.empty() ? text : std::string(text) + " (" + more + ")");
    }
    return held.boxesShow && steps.messageBox(text, caption, kind);
}

bool failOpening(const WindowSteps& steps, const char* text, bool platformCall = true) {
    const std::string more = platformCall && steps.lastError ? steps.lastError() : "";  // before the teardown's calls
    closeWindowInSteps(steps);
    reportError(more.empty() ? text : std::string(text) + " (" + more + ")");
    if (held.boxesShow) steps.messageBox(text, errorCaption, errorBox);
    return false;
}

}  // namespace

bool openWindowInSteps(const WindowSteps& steps, const char* title, int width, int height, int bits, bool fullscreen) {
    held = Held();
    held.boxesShow = !steps.hasDisplay;  // a platform that cannot tell shows every box
    if (!steps.registerClass()) {
        tell(steps, "Failed To Register The Window Class.", errorCaption, errorBox);
        return false;
    }
    held.classRegistered = true;
    if (steps.hasDisplay) held.boxesShow = steps.hasDisplay();
    // A platform that shows nothing (SDL's offscreen or dummy driver): the game would not be seen.
    if (!held.boxesShow) return failOpening(steps, "No Display Is Available.", false);
    if (fullscreen && !steps.changeDisplayMode(width, height, bits)) {
        if (!tell(steps,
                  "The Requested Fullscreen Mode Is Not Supported By\nYour Video Card. Use Windowed Mode Instead?",
                  "GL", questionBox)) {
            tell(steps, "Program Will Now Close.", errorCaption, stopBox, false);
            return false;
        }
        fullscreen = false;
    }
    if (!(held.window = steps.createWindow(title, width, height, bits, fullscreen)))
        return failOpening(steps, "Window Creation Error.");
    if (!(held.deviceContext = steps.getDeviceContext()))
        return failOpening(steps, "Can't Create A GL Device Context.");
    if (!steps.choosePixelFormat(bits)) return failOpening(steps, "Can't Find A Suitable PixelFormat.");
    if (!steps.setPixelFormat()) return failOpening(steps, "Can't Set The PixelFormat.");
    if (!(held.context = steps.createContext())) return failOpening(steps, "Can't Create A GL Rendering Context.");
    if (!(held.current = steps.makeCurrent())) return failOpening(steps, "Can't Activate The GL Rendering Context.");
    steps.show();
    resizeViewport(width, height);  // the size asked for, not one measured
    if (!setupScene()) return failOpening(steps, "Initialization Failed.", false);
    return true;
}

void closeWindowInSteps(const WindowSteps& steps) {
    const auto release = [&steps](bool released, const char* text) {
        if (!released) tell(steps, text, shutdownCaption, shutdownBox);
    };
    if (held.context) {
        // A context that never became current has nothing to release: asking would fail, and say so, for
        // nothing (a second box after "Can't Activate The GL Rendering Context.").
        if (held.current) release(steps.releaseCurrent(), "Release Of DC And RC Failed.");
        release(steps.deleteContext(), "Release Rendering Context Failed.");
        held.context = held.current = false;
    }
    if (held.deviceContext) {
        release(steps.releaseDeviceContext(), "Release Device Context Failed.");
        held.deviceContext = false;
    }
    if (held.window) {
        release(steps.destroyWindow(), "Could Not Release hWnd.");
        held.window = false;
    }
    if (held.classRegistered) {
        release(steps.unregisterClass(), "Could Not Unregister Class.");
        held.classRegistered = false;
    }
}
