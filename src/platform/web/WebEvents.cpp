// Keys, the mouse and fingers from the page to the game.
#include "WebEvents.h"

#include <emscripten/html5.h>

#include "WebAudio.h"
#include "WebCanvas.h"
#include "WebPage.h"
#include "app/DemoSession.h"
#include "app/FrameDriver.h"
#include "app/Input.h"
#include "app/KeyTable.h"
#include "app/ReplayControls.h"

namespace {

constexpr const char* canvasTarget = "#canvas";
bool pagePaused = false;
long steeringFinger = -1;  // the touch that steers: the first one down; the others only press

// A key, click or touch while the page holds the flight: it flies on, and the event does nothing else.
bool flewOn() { return web::flyOnIfPausedByPage(); }

EM_BOOL onKeyEvent(int type, const EmscriptenKeyboardEvent* event, void*) {
    web::resumeAudio();  // inside the key's own handler, as the browser asks
    if (event->ctrlKey || event->metaKey || event->altKey) return EM_FALSE;  // the browser's own shortcuts
    const int code = int(event->keyCode);
    if (code <= 0 || code > 0xFF) return EM_FALSE;
    if (type == EMSCRIPTEN_EVENT_KEYDOWN && code != vkEscape && flewOn()) return EM_TRUE;
    onKey(code, type == EMSCRIPTEN_EVENT_KEYDOWN);
    return EM_TRUE;  // F1, F11, F12 and the rest are the game's, not the page's
}

// A point of the canvas as shown, in pixels of its drawing buffer: the page shows it at another size.
void pointAt(double shownX, double shownY) {
    int width = 0, height = 0;
    double shownWidth = 0, shownHeight = 0;
    emscripten_get_canvas_element_size(canvasTarget, &width, &height);
    emscripten_get_element_css_size(canvasTarget, &shownWidth, &shownHeight);
    if (shownWidth <= 0 || shownHeight <= 0) return;
    const double x = shownX * width / shownWidth, y = shownY * height / shownHeight;
    if (x < 0 || y < 0) return;
    onMouseMove(unsigned(x), unsigned(y));
}

EM_BOOL onMouseEvent(int type, const EmscriptenMouseEvent* event, void*) {
    pointAt(double(event->targetX), double(event->targetY));
    if (type == EMSCRIPTEN_EVENT_MOUSEMOVE || event->button != 0) return EM_TRUE;
    web::resumeAudio();
    if (type == EMSCRIPTEN_EVENT_MOUSEDOWN && flewOn()) return EM_TRUE;
    onKey(vkLeftButton, type == EMSCRIPTEN_EVENT_MOUSEDOWN);
    return EM_TRUE;
}

// A finger is the mouse at its point, held or dragged, and its touch a press of the button; lifted, the
// steering stays as it was, as when the mouse leaves the window. Only the first finger down steers.
EM_BOOL onTouchEvent(int type, const EmscriptenTouchEvent* event, void*) {
    web::resumeAudio();
    for (int i = 0; i < event->numTouches; ++i) {
        const EmscriptenTouchPoint& touch = event->touches[i];
        if (!touch.isChanged) continue;
        if (type == EMSCRIPTEN_EVENT_TOUCHSTART && steeringFinger < 0) steeringFinger = touch.identifier;
        if (touch.identifier != steeringFinger) continue;
        pointAt(double(touch.targetX), double(touch.targetY));
        if (type == EMSCRIPTEN_EVENT_TOUCHSTART) {
            if (!flewOn()) onKey(vkLeftButton, true);
        } else if (type == EMSCRIPTEN_EVENT_TOUCHEND || type == EMSCRIPTEN_EVENT_TOUCHCANCEL) {
            onKey(vkLeftButton, false);
            steeringFinger = -1;
        }
    }
    return EM_TRUE;  // no scrolling, zooming or mouse events made up from the touch
}

EM_BOOL onResize(int, const EmscriptenUiEvent*, void*) {
    web::fitCanvasToPage();
    return EM_FALSE;
}

EM_BOOL onVisibility(int, const EmscriptenVisibilityChangeEvent* event, void*) {
    if (event->hidden) web::pauseByPage();
    return EM_FALSE;
}

}  // namespace

void web::pauseByPage(const char* notice) {
    // A watched flight is held by its viewer: the world's own pause is the flight's, as it was flown.
    if (DemoSession::instance().watched()) {
        if (ReplayControls::instance().held() && !pagePaused) return;
        pagePaused = true;
        ReplayControls::instance().setHeld(true);
        web::showNotice(notice);
        return;
    }
    if (!pagePaused && flightPaused()) return;  // P's pause stays P's
    pagePaused = true;
    setPaused(true);
    web::showNotice(notice);
}

bool web::pausedByPage() { return pagePaused; }

bool web::flyOnIfPausedByPage() {
    if (!pagePaused) return false;
    pagePaused = false;
    if (DemoSession::instance().watched())
        ReplayControls::instance().setHeld(false);
    else
        setPaused(false);
    web::showNotice("");
    return true;
}

void web::listenToPage() {
    const char* window = EMSCRIPTEN_EVENT_TARGET_WINDOW;
    emscripten_set_keydown_callback(window, nullptr, EM_TRUE, onKeyEvent);
    emscripten_set_keyup_callback(window, nullptr, EM_TRUE, onKeyEvent);
    emscripten_set_mousemove_callback(canvasTarget, nullptr, EM_TRUE, onMouseEvent);
    emscripten_set_mousedown_callback(canvasTarget, nullptr, EM_TRUE, onMouseEvent);
    emscripten_set_mouseup_callback(window, nullptr, EM_TRUE, onMouseEvent);
    emscripten_set_touchstart_callback(canvasTarget, nullptr, EM_TRUE, onTouchEvent);
    emscripten_set_touchmove_callback(canvasTarget, nullptr, EM_TRUE, onTouchEvent);
    emscripten_set_touchend_callback(canvasTarget, nullptr, EM_TRUE, onTouchEvent);
    emscripten_set_touchcancel_callback(canvasTarget, nullptr, EM_TRUE, onTouchEvent);
    emscripten_set_resize_callback(window, nullptr, EM_FALSE, onResize);
    emscripten_set_visibilitychange_callback(nullptr, EM_FALSE, onVisibility);
}
