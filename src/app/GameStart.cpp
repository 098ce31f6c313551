// The start every shell shares, in the order the world depends on: the data folder before the demos (a demo
// names its level's pictures), the seed before the window (scenery is placed as the level loads).
#include "app/GameStart.h"

#include <vector>

#include "app/DataFolder.h"
#include "app/DemoSession.h"
#include "app/GameOptions.h"
#include "app/GameSound.h"
#include "app/SettingsFile.h"
#include "common/GameRandom.h"
#include "common/OutputFile.h"
#include "common/Shell.h"
#include "common/Report.h"
#include "common/FrameClock.h"

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
    // A demo recorded over the settings file would end the player's settings; found before either is written.
    const std::string settingsFile = settingsFileOf(options);
    if (!options.recordPath.empty() && !settingsFile.empty() && sameOutputPath(options.recordPath, settingsFile)) {
        reportError("--record would write over the settings file " + shortPath(settingsFile));
        exitCode = exitUsage;
        return false;
    }
    loadSettings(options);
    lastTick = platform.tickCount();
    unsigned seed = lastTick;
    if (!startDemos(options.playPath, options.recordPath, options.pacedReplay, lastTick, seed)) {
        exitCode = exitUsage;
        return false;
    }
    gameSrand(seed);
    const Settings& settings = gameSettings();
    GameSound::instance().applySettings();
    // --fullscreen asks for the screen in the window's own mode, as it always has; the whole screen saved by
    // F11 (or on the settings screen) comes back as F11 gives it, in the desktop's mode.
    bool modeChange = false;
    for (const auto& [index, text] : options.settings)
        if (index == settingIndex(SettingId::fullscreen)) modeChange = settings.on(SettingId::fullscreen);
    if (!platform.openWindow(windowTitle, settings.width(), settings.height(), colourBits, modeChange)) {
        DemoSession::instance().reset();  // a demo begun for this flight is dropped; an older file stays
        exitCode = exitFailure;
        return false;
    }
    if (settings.on(SettingId::fullscreen) && !modeChange) platform.toggleFullscreen();
    platform.setVsync(settings.on(SettingId::vsync));
    return true;
}

std::string settingsFileOf(const GameOptions& options) {
    return options.noSettings              ? ""
           : !options.settingsPath.empty() ? options.settingsPath
                                           : defaultSettingsPath(shell().settingsFolder());
}

void loadSettings(const GameOptions& options) {
    const std::string path = settingsFileOf(options);
    if (path.empty() && !options.noSettings)
        reportError(
            "no settings are kept: there is no settings folder (HOME is not set, or XDG_CONFIG_HOME is not "
            "an absolute folder); --settings FILE names a file");
    SettingsFile& file = SettingsFile::instance();
    file.open(path, options.flightSettingsOnly);
    Settings& settings = gameSettings();
    settings = file.saved();
    for (const auto& [index, text] : options.settings) {
        const std::string wrong = settings.set(index, text);
        if (!wrong.empty()) reportError(std::string("--") + settingsTable()[index].name + " " + wrong + ": not taken");
    }
}
