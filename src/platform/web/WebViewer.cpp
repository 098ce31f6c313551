// The page's viewer: the pacing, the bar and the seek.
#include "WebViewer.h"

#include <emscripten.h>

#include <algorithm>
#include <cstdlib>

#include "WebAudio.h"
#include "WebEvents.h"
#include "WebPage.h"
#include "app/DemoSession.h"
#include "app/FrameDriver.h"
#include "app/ReplayControls.h"
#include "common/FrameClock.h"

namespace {

constexpr double longestGapMs = 250;    // a slow or hidden page catches up this much at most, never all at once
constexpr double seekBudgetMs = 40;     // of each animation frame, spent re-running the world up to a seek
constexpr int mostPassesPerFrame = 16;  // at eight times, a frame's worth of a 120 Hz flight's frames
double lastMs = 0;
double owedMs = 0;  // the flight's time the viewer is owed, at its speed
bool reported = false;  // how the flight ended has been said (until a seek goes back into it)

// clang-format off
EM_JS(void, showViewer, (const char* status, double frame, double frames, int shown), {
    const bar = document.getElementById('viewer');
    if (!bar) return;
    bar.hidden = !shown;
    document.getElementById('viewer-status').textContent = UTF8ToString(status);
    const timeline = document.getElementById('viewer-timeline');
    timeline.max = frames;
    if (!timeline.matches(':active')) timeline.value = frame;
});
// clang-format on

// One pass of the flight. Escape, which the page never quits on, holds it.
void passOn() {
    if (loopPass()) web::pauseByPage();
}

size_t askedFrame(const std::string& fragment) {
    const size_t at = fragment.find("&at=");
    return at == std::string::npos ? 0 : size_t(std::strtoull(fragment.c_str() + at + 4, nullptr, 10));
}

void showBar() {
    const DemoSession& demo = DemoSession::instance();
    ReplayControls& controls = ReplayControls::instance();
    showViewer(controls.status().c_str(), double(demo.framesSoFar()), double(demo.framesInDemo()), demo.watched());
}

}  // namespace

void web::startWatching(const std::string& fragment) {
    DemoSession::instance().setPacedByShell(true);
    ReplayControls::instance().seek(askedFrame(fragment));
    lastMs = emscripten_get_now();
}

void web::watchPass() {
    DemoSession& demo = DemoSession::instance();
    ReplayControls& controls = ReplayControls::instance();
    const double now = emscripten_get_now();
    const double gap = std::min(now - lastMs, longestGapMs);
    lastMs = now;
    if (controls.seeking()) {
        // Re-run on the flight's own clock, as fast as it goes, then watch from there.
        while (controls.seeking() && emscripten_get_now() - now < seekBudgetMs) passOn();
        owedMs = 0;
    } else if (!controls.held() && !demo.playedToTheEnd()) {
        owedMs += gap * double(controls.speed());
        for (int passes = 0; owedMs > 0 && passes < mostPassesPerFrame && !demo.playedToTheEnd(); ++passes) {
            passOn();
            owedMs -= double(frameDuration);
        }
        owedMs = std::min(owedMs, 0.0);  // what the page could not draw in time is let go, not caught up
    }
    if (demo.playedToTheEnd() && !reported) {
        reported = true;
        std::string report;
        demo.finish(report);
        controls.setHeld(true);
        web::showNotice("The flight is over: " + report.substr(report.find(": ") + 2) +
                        ". Fly from here (Enter) flies on from its end.");
    } else if (reported && !demo.playedToTheEnd()) {
        reported = false;  // a seek went back into the flight: it watches on
        controls.setHeld(false);
        web::showNotice("");
    }
    showBar();
}

void web::stopWatching() {
    showViewer("", 0, 0, 0);
    web::showNotice("");
}

// The bar's buttons: hold, slower, faster, restart, fly (from here), and the timeline's frame to seek to.
extern "C" EMSCRIPTEN_KEEPALIVE void vanturoView(const char* action, double frame) {
    ReplayControls& controls = ReplayControls::instance();
    const std::string what = action ? action : "";
    web::resumeAudio();  // a tap is the gesture a browser asks for
    if (web::flyOnIfPausedByPage() && what == "hold") return;  // the page's hold let go is the tap's answer
    if (what == "hold") controls.setHeld(!controls.held());
    if (what == "slower") controls.changeSpeed(-1);
    if (what == "faster") controls.changeSpeed(+1);
    if (what == "fly") controls.flyFromHere();
    if (what == "seek" || what == "restart") controls.seek(what == "seek" ? size_t(std::max(0.0, frame)) : 0);
}
