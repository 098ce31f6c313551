// A setting changed while playing, into effect at once.
#include "app/SettingChange.h"

#include "app/DemoFormat.h"
#include "app/DemoSession.h"
#include "app/GameSound.h"
#include "app/SettingsFile.h"
#include "common/Shell.h"

std::string changeSetting(size_t index, const std::string& text) {
    Settings& settings = gameSettings();
    const bool wasFullscreen = settings.on(SettingId::fullscreen);
    const std::string wrong =
        DemoSession::instance().playing() ? settings.set(index, text) : SettingsFile::instance().change(index, text);
    if (!wrong.empty()) return wrong;
    const Shell& platform = shell();
    if (index == settingIndex(SettingId::volume) || index == settingIndex(SettingId::mute))
        GameSound::instance().applySettings();
    if (index == settingIndex(SettingId::fullscreen) && settings.on(SettingId::fullscreen) != wasFullscreen)
        platform.toggleFullscreen();
    if (index == settingIndex(SettingId::windowSize)) platform.resizeWindow(settings.width(), settings.height());
    if (index == settingIndex(SettingId::vsync)) platform.setVsync(settings.on(SettingId::vsync));
    // A setting of the flight goes into a demo being made, and into the flight as the demo will replay it.
    DemoEvent event;
    if (settingsTable()[index].flight && demoEventOfSetting(settings, index, event) &&
        DemoSession::instance().takeSettingChange(event))
        applyDemoSetting(settings, event);
    return "";
}

void onFullscreenToggle() {
    changeSetting(settingIndex(SettingId::fullscreen), gameSettings().on(SettingId::fullscreen) ? "false" : "true");
}
