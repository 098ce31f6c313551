// A setting changed while playing, into effect at once: what a change sets off follows from where its row
// says it acts.
#include "app/SettingChange.h"

#include "app/DemoFormat.h"
#include "app/DemoSession.h"
#include "app/FlashNotice.h"
#include "app/GameSound.h"
#include "app/SettingsFile.h"
#include "common/Shell.h"

namespace {

// What a change to a setting sets off where it acts, given the settings before it and now; what it cannot
// make happen is said in why, and the change is then taken back.
void applySound(size_t, const Settings&, Settings&, std::string&) { GameSound::instance().applySettings(); }

void resizeWindow(size_t, const Settings&, Settings& now, std::string&) {
    shell().resizeWindow(now.width(), now.height());
}

void applyDisplay(size_t, const Settings& before, Settings& now, std::string& why) {
    if (now.on(SettingId::fullscreen) != before.on(SettingId::fullscreen) && !shell().toggleFullscreen())
        why = "cannot be had here: no window manager runs";
    if (now.on(SettingId::vsync) != before.on(SettingId::vsync)) shell().setVsync(now.on(SettingId::vsync));
}

// A setting of the flight goes into a demo being made, and into the flight as the demo will replay it.
void recordInDemo(size_t index, const Settings&, Settings& now, std::string&) {
    DemoEvent event;
    if (demoEventOfSetting(now, index, event) && DemoSession::instance().takeSettingChange(event))
        applyDemoSetting(now, event);
}

const struct {
    unsigned acts;
    void (*react)(size_t index, const Settings& before, Settings& now, std::string& why);
} reactions[] = {
    {settingActs::sound, applySound},
    {settingActs::window, resizeWindow},
    {settingActs::display, applyDisplay},
    {settingActs::flight, recordInDemo},
};

}  // namespace

std::string changeSetting(size_t index, const std::string& text) {
    Settings& settings = gameSettings();
    const Settings before = settings;
    std::string wrong = settings.set(index, text);
    if (!wrong.empty()) return wrong;
    for (const auto& reaction : reactions)
        if (wrong.empty() && (settingsTable()[index].acts & reaction.acts))
            reaction.react(index, before, settings, wrong);
    if (!wrong.empty()) {
        settings = before;  // nothing changed: nothing is saved
        return wrong;
    }
    // Saved for the player, but not while a demo plays: the flight is the demo's, not the player's.
    if (!DemoSession::instance().playing()) SettingsFile::instance().keep(index);
    return "";
}

std::string onFullscreenToggle() {
    const std::string why =
        changeSetting(settingIndex(SettingId::fullscreen), gameSettings().on(SettingId::fullscreen) ? "false" : "true");
    if (!why.empty()) flashNotice("The whole screen " + why + ".");
    return why;
}
