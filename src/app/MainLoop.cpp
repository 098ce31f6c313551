// The main loop, one for every shell that polls.
#include "app/MainLoop.h"

#include "app/DemoSession.h"
#include "app/FrameDriver.h"
#include "app/GameOptions.h"
#include "app/Settings.h"
#include "app/GameSound.h"
#include "app/GameStart.h"
#include "app/ReplayControls.h"
#include "common/Report.h"
#include "common/Shell.h"
#include "common/InputState.h"
#include "common/Termination.h"

namespace {
void mixGameSound(int16_t* out, size_t frames) { GameSound::instance().mixer().mix(out, frames); }
}  // namespace

int runMainLoop(const GameOptions& options) {
    int exitCode = exitSuccess;
    if (!startGame(options, exitCode)) return terminationSignal() ? signalExitCode(terminationSignal()) : exitCode;
    const Shell& platform = shell();
    GameSound::instance().setDevicePlays(platform.openAudio(mixGameSound));
    unsigned passBegan = platform.tickCount();
    while (!terminationSignal()) {
        const Message message = platform.handleMessage();
        if (message == Message::quit) break;
        if (message == Message::handled) continue;
        const ReplayControls& replay = ReplayControls::instance();
        if (replay.held() && !replay.seeking() && DemoSession::instance().watched()) {
            platform.waitMessage();  // the watched flight stands at its frame until Space
            continue;
        }
        if (loopPass()) break;
        platform.feedAudio();
        const int cap = gameSettings().whole(SettingId::frameCap);
        if (cap > 0) {  // the rest of the frame slept out: the world's step rule is unchanged
            const unsigned period = 1000u / unsigned(cap), spent = platform.tickCount() - passBegan;
            if (spent < period) platform.sleep(period - spent);
            passBegan = platform.tickCount();
        }
        if (!active) platform.waitMessage();  // minimised, nothing is drawn: sleep instead of spinning a core
    }
    platform.closeAudio();
    platform.closeWindow();
    if (const int signal = terminationSignal()) {
        DemoSession::instance().reset();  // a demo being recorded is not kept: an older file stays as it was
        reportError("stopped by " + signalName(signal) + "; a demo it was recording is not kept");
        return signalExitCode(signal);
    }
    return finishDemos(exitSuccess);
}
