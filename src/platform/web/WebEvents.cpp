// Keys and the mouse from the page to the game.
#include "WebEvents.h"

#include <emscripten/html5.h>

#include "WebAudio.h"
#include "app/Input.h"
#include "app/KeyTable.h"

namespace {

constexpr const char* canvasTarget = "#canvas";

EM_BOOL onKeyEvent(int type, const EmscriptenKeyboardEvent* event, void*) {
    web::resumeAudio();  // inside the key's own handler, as the browser asks
    if (event->ctrlKey || event->metaKey || event->altKey) return EM_FALSE;  // the browser's own shortcuts
    const int code = int(event->keyCode);
    if (code <= 0 || code > 0xFF) return EM_FALSE;
    onKey(code, type == EMSCRIPTEN_EVENT_KEYDOWN);
    return EM_TRUE;  // F1, F11, F12 and the rest are the game's, not the page's
}

// The mouse over the canvas, in pixels of its drawing buffer: the canvas may be shown larger (the whole screen).
void mouseAt(const EmscriptenMouseEvent* event) {
    int width = 0, height = 0;
    double shownWidth = 0, shownHeight = 0;
    emscripten_get_canvas_element_size(canvasTarget, &width, &height);
    emscripten_get_element_css_size(canvasTarget, &shownWidth, &shownHeight);
    if (shownWidth <= 0 || shownHeight <= 0) return;
    const double x = double(event->targetX) * width / shownWidth, y = double(event->targetY) * height / shownHeight;
    if (x < 0 || y < 0) return;
    onMouseMove(unsigned(x), unsigned(y));
}

EM_BOOL onMouseEvent(int type, const EmscriptenMouseEvent* event, void*) {
    mouseAt(event);
    if (type == EMSCRIPTEN_EVENT_MOUSEMOVE || event->button != 0) return EM_TRUE;
    web::resumeAudio();
    onKey(vkLeftButton, type == EMSCRIPTEN_EVENT_MOUSEDOWN);
    return EM_TRUE;
}

}  // namespace

void web::listenToPage() {
    const char* window = EMSCRIPTEN_EVENT_TARGET_WINDOW;
    emscripten_set_keydown_callback(window, nullptr, EM_TRUE, onKeyEvent);
    emscripten_set_keyup_callback(window, nullptr, EM_TRUE, onKeyEvent);
    emscripten_set_mousemove_callback(canvasTarget, nullptr, EM_TRUE, onMouseEvent);
    emscripten_set_mousedown_callback(canvasTarget, nullptr, EM_TRUE, onMouseEvent);
    emscripten_set_mouseup_callback(window, nullptr, EM_TRUE, onMouseEvent);
}
