// The window steps' table of failures, shared by the tests of every shell that opens a window: the steps that
// fail, the boxes shown and what is torn down. Each shell's test makes the named steps fail its own way.
#pragma once

#include <string>
#include <vector>

#include "platform/WindowSteps.h"

struct WindowStepsCase {
    // The steps that fail, by their names in WindowSteps, separated by spaces; "setupScene" is the scene's
    // start, which each test makes fail with a shell that offers no multitexturing.
    const char* failing;
    bool fullscreen, answerYes;
    std::vector<std::string> boxes;  // "CAPTION|text|kind" of each box, on a platform that shows every box
    const char* teardown;            // the releases made after the failure, in order
};

inline std::string boxRow(const char* caption, const char* text, BoxKind kind) {
    return std::string(caption) + "|" + text + "|" + std::to_string(int(kind));
}

inline std::vector<WindowStepsCase> windowStepsCases() {
    const auto error = [](const char* text) { return boxRow("ERROR", text, errorBox); };
    const auto shutdown = [](const char* text) { return boxRow("SHUTDOWN ERROR", text, shutdownBox); };
    const std::string question =
        boxRow("GL", "The Requested Fullscreen Mode Is Not Supported By\nYour Video Card. Use Windowed Mode Instead?",
               questionBox);
    const char* const fromDeviceContext = "releaseDeviceContext destroyWindow unregisterClass";
    const char* const all = "releaseCurrent deleteContext releaseDeviceContext destroyWindow unregisterClass";
    const char* const fromContext = "deleteContext releaseDeviceContext destroyWindow unregisterClass";
    return {
        // Before the display is known a platform that can tell shows no box: nobody may be there to answer it.
        {"registerClass", false, false, {error("Failed To Register The Window Class.")}, ""},
        {"hasDisplay", false, false, {}, "unregisterClass"},
        {"createWindow", false, false, {error("Window Creation Error.")}, "unregisterClass"},
        {"getDeviceContext",
         false,
         false,
         {error("Can't Create A GL Device Context.")},
         "destroyWindow unregisterClass"},
        {"choosePixelFormat", false, false, {error("Can't Find A Suitable PixelFormat.")}, fromDeviceContext},
        {"setPixelFormat", false, false, {error("Can't Set The PixelFormat.")}, fromDeviceContext},
        {"createContext", false, false, {error("Can't Create A GL Rendering Context.")}, fromDeviceContext},
        // A context that never became current is deleted without being released.
        {"makeCurrent", false, false, {error("Can't Activate The GL Rendering Context.")}, fromContext},
        {"setupScene", false, false, {error("Initialization Failed.")}, all},
        // Every release fails too: a shutdown box each, and the teardown carries on to the end.
        {"setupScene releaseCurrent deleteContext releaseDeviceContext destroyWindow unregisterClass",
         false,
         false,
         {shutdown("Release Of DC And RC Failed."), shutdown("Release Rendering Context Failed."),
          shutdown("Release Device Context Failed."), shutdown("Could Not Release hWnd."),
          shutdown("Could Not Unregister Class."), error("Initialization Failed.")},
         all},
        // An unsupported fullscreen mode asks; No closes (the class stays), Yes carries on in a window.
        {"changeDisplayMode", true, false, {question, boxRow("ERROR", "Program Will Now Close.", stopBox)}, ""},
        {"changeDisplayMode createWindow", true, true, {question, error("Window Creation Error.")}, "unregisterClass"},
    };
}

inline bool stepFails(const WindowStepsCase& c, const std::string& step) {
    return (" " + std::string(c.failing) + " ").find(" " + step + " ") != std::string::npos;
}

// Whether the case's failure comes before a platform that can tell knows there is a display.
inline bool beforeDisplayKnown(const WindowStepsCase& c) {
    return stepFails(c, "registerClass") || stepFails(c, "hasDisplay");
}
