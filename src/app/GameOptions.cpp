// The game's command line: the data folder, the demos and every setting.
#include "app/GameOptions.h"

#include <filesystem>
#include <memory>

#include "app/FlightLink.h"
#include "app/Settings.h"

namespace {

// An absolute path from where the program was started (the game leaves that folder for its data folder),
// tidied as it is named in messages: no "./".
std::string absolutePath(const std::string& given) {
    std::error_code error;
    return given.empty() ? "" : std::filesystem::absolute(given, error).lexically_normal().string();
}

const char* valueName(const SettingRow& row) {
    switch (row.kind) {
        case SettingKind::whole: return "N";
        case SettingKind::decimal: return "X";
        case SettingKind::onOff: return "true|false";
        case SettingKind::size: return "WxH";
        case SettingKind::key: return "KEY";
        case SettingKind::choice: return row.choices;
    }
    return "VALUE";
}

}  // namespace

void addSettingOptions(CommandLine& line, GameOptions& options, bool (*filter)(const SettingRow&)) {
    // Checked as they come, against the defaults and the options before them (a key taken twice is refused).
    auto checked = std::make_shared<Settings>();
    const std::vector<SettingRow>& table = settingsTable();
    for (size_t i = 0; i < table.size(); ++i) {
        const SettingRow& row = table[i];
        if (filter && !filter(row)) continue;
        const auto set = [&options, checked, i](const std::string& text) {
            const std::string wrong = checked->set(i, text);
            if (wrong.empty()) options.settings.emplace_back(i, text);
            return wrong;
        };
        const std::string help = std::string(row.help) + " (" + row.defaultText + " unless set)";
        if (row.kind == SettingKind::onOff)
            line.toggle(std::string("--") + row.name, valueName(row), help, set);
        else
            line.value(std::string("--") + row.name, valueName(row), help, set);
        if (i == settingIndex(SettingId::windowSize)) line.value("--size", "WxH", "the same as --window-size", set);
    }
    line.value("--settings", "FILE", "read the settings from FILE, and save them there",
               [&options](const std::string& file) {
                   options.settingsPath = absolutePath(file);
                   return std::string(file.empty() ? "needs a file" : "");
               });
    line.flag("--no-settings", "read and save no settings file: every setting at its default unless given",
              [&options] { options.noSettings = true; });
}

CommandLine::Outcome parseGameOptions(int argc, const char* const* argv, GameOptions& options) {
    CommandLine line("Fly over the land, steering with the mouse, and keep your shield up.");
    line.value("--data", "DIR", "play the level in DIR/data, and no other", [&options](const std::string& dir) {
        options.dataFolder = dir;
        return std::string(dir.empty() ? "needs a folder" : "");
    });
    const auto demoPath = [](std::string& path) {
        return [&path](const std::string& given) {
            path = playsALink(given) ? given : absolutePath(given);  // a link is no file's name
            return std::string(path.empty() ? "needs a file" : "");
        };
    };
    line.value("--record", "FILE", "record the flight into the demo FILE", demoPath(options.recordPath));
    line.value("--play", "FILE", "play the demo FILE, or a flight link (Space holds, Up/Down speed, Enter flies on)",
               demoPath(options.playPath));
    addSettingOptions(line, options);
    CommandLine::Outcome outcome = line.parse(argc, argv);
    if (outcome.proceed && !options.recordPath.empty() && !options.playPath.empty())
        outcome = CommandLine::refuse("--record and --play cannot be used together");
    return checkSettingOptions(outcome, options);
}

CommandLine::Outcome checkSettingOptions(const CommandLine::Outcome& outcome, const GameOptions& options) {
    if (outcome.proceed && options.noSettings && !options.settingsPath.empty())
        return CommandLine::refuse("--settings and --no-settings cannot be used together");
    return outcome;
}
