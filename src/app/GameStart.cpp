// The start every shell shares, in the order the world depends on: the data folder before the demos (a demo
// names its level's pictures), the seed before the window (scenery is placed as the level loads).
#include "app/GameStart.h"

#include <vector>

#include "app/DataFolder.h"
#include "app/DemoSession.h"
#include "app/GameOptions.h"
#include "common/GameRandom.h"
#include "common/Shell.h"
#include "common/Report.h"
#include "common/ShellState.h"

namespace {
const char* const windowTitle = "Vanturo";
constexpr int colourBits = 16;
}  // namespace

bool startGame(const GameOptions& options, int& exitCode) {
    const Shell& platform = shell();
    const std::vector<std::string> candidates =
        dataFolderCandidates(options.dataFolder, platform.executableFolder(), platform.installedDataFolder());
    const std::string folder = findDataFolder(candidates);
    if (folder.empty()) {
        exitCode = reportFailure(missingDataMessage(candidates));
        return false;
    }
    if (!enterDataFolder(folder)) {
        exitCode = reportFailure("cannot enter the data folder " + folder);
        return false;
    }
    lastTick = platform.tickCount();
    unsigned seed = lastTick;
    if (!startDemos(options.playPath, options.recordPath, options.pacedReplay, lastTick, seed)) {
        exitCode = exitUsage;
        return false;
    }
    gameSrand(seed);
    applySoundOptions(options.sound);
    if (!platform.openWindow(windowTitle, options.width, options.height, colourBits, options.fullscreen)) {
        DemoSession::instance().reset();  // a demo begun for this flight is dropped; an older file stays
        exitCode = exitFailure;
        return false;
    }
    return true;
}
