// The settings file: what it takes, what it refuses (one line each, the default standing, the file kept until
// the player changes a setting), and where each value comes from: defaults, then the file, then the command line.
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "Fixtures.h"
#include "app/GameOptions.h"
#include "app/GameStart.h"
#include "app/SettingChange.h"
#include "app/SettingsFile.h"

namespace {

std::string contents(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

size_t linesIn(const std::string& text) { return size_t(std::count(text.begin(), text.end(), '\n')); }

const Settings& saved() { return SettingsFile::instance().saved(); }

}  // namespace

TEST(SettingsFile, WhatItCannotReadIsSaidInALineEachItsDefaultStandsAndNothingIsLost) {
    const std::string huge(settingsFileLimits::fileBytes + 1, '#');
    const struct {
        const char* name;
        std::string text;  // the file's bytes; "fifo" makes a FIFO, "" none at all
        size_t linesSaid;
        const char* said;  // in the lines said
        bool (*holds)();   // what was read
    } cases[] = {
        {"a good file", "# mine\nvolume = 40\n  mute=on  \r\nkey-pause = f5\nwindow-size = 1024x768\n", 0, "",
         [] {
             return saved().whole(SettingId::volume) == 40 && saved().on(SettingId::mute) &&
                    saved().key(KeyAction::pause) == vkF1 + 4 && saved().width() == 1024;
         }},
        {"two keys swapped", "key-pause = F1\nkey-help = P\n", 0, "",
         [] { return saved().key(KeyAction::pause) == vkF1 && saved().key(KeyAction::help) == 'P'; }},
        {"values out of range, unknown names, a line without a value",
         "volume = 400\nmouse-sensitivity = nan\nbogus = 1\njust words\nkey-mute = Escape\nframe-cap = 60\n", 5,
         "line 3: no setting is named \"bogus\"",
         [] { return saved().whole(SettingId::volume) == 100 && saved().whole(SettingId::frameCap) == 60; }},
        {"more problems than lines said", "a\nb\nc\nd\ne\nf\ng\nvsync = true\n", 6, "and 2 more problems",
         [] { return saved().on(SettingId::vsync); }},
        {"binary bytes", std::string("volume = 40\n\0\x01\x02", 15), 1, "binary", [] { return saved() == Settings(); }},
        {"larger than a settings file may be", huge, 1, "larger than", [] { return saved() == Settings(); }},
        {"a FIFO", "fifo", 1, "not a regular file", [] { return saved() == Settings(); }},
        {"no file at all", "", 0, "", [] { return saved() == Settings() && !SettingsFile::instance().read(); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = makeTempDir() + "/settings.ini";
        if (c.text == "fifo")
            ASSERT_EQ(mkfifo(path.c_str(), 0600), 0);
        else if (!c.text.empty())
            std::ofstream(path, std::ios::binary) << c.text;
        testing::internal::CaptureStderr();
        SettingsFile::instance().open(path, false);
        const std::string said = testing::internal::GetCapturedStderr();
        EXPECT_EQ(linesIn(said), c.linesSaid) << said;
        EXPECT_NE(said.find(c.said), std::string::npos) << said;
        EXPECT_TRUE(c.holds());
        if (c.text == "fifo") {  // never written to: a change is taken for the run, and said not saved
            testing::internal::CaptureStderr();
            EXPECT_EQ(changeSetting(settingIndex(SettingId::vsync), "true"), "");
            EXPECT_NE(testing::internal::GetCapturedStderr().find("is not a regular file"), std::string::npos);
            continue;
        }
        // Kept as it was until the player changes a setting; then a damaged file is set aside whole.
        EXPECT_EQ(contents(path), c.text);
        testing::internal::CaptureStderr();
        gameSettings() = saved();
        EXPECT_EQ(changeSetting(settingIndex(SettingId::invertCamera), "true"), "");
        EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
        EXPECT_EQ(contents(path + ".bad"), c.linesSaid > 0 ? c.text : "");
        const Settings before = saved();
        testing::internal::CaptureStderr();
        SettingsFile::instance().open(path, false);  // what was written reads back whole, without a word
        EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
        EXPECT_TRUE(saved() == before && saved().on(SettingId::invertCamera));
    }
}

TEST(SettingsFile, TheCommandLineWinsForOneRunAndIsNeverWrittenAndAFileThatCannotBeWrittenIsSaidOnce) {
    const std::string dir = makeTempDir(), path = dir + "/settings.ini";
    std::ofstream(path) << "volume = 40\nmouse-sensitivity = 2\n";
    GameOptions options;
    options.settingsPath = path;
    options.settings = {{settingIndex(SettingId::volume), "70"}, {settingIndex(KeyAction::pause), "F6"}};
    loadSettings(options);
    EXPECT_EQ(gameSettings().whole(SettingId::volume), 70);
    EXPECT_EQ(gameSettings().decimal(SettingId::mouseSensitivity), 2.0f);
    EXPECT_EQ(gameSettings().key(KeyAction::pause), vkF1 + 5);
    ASSERT_EQ(changeSetting(settingIndex(SettingId::mute), "true"), "");
    const std::string written = contents(path);
    EXPECT_NE(written.find("\nvolume = 40\n"), std::string::npos) << written;
    EXPECT_NE(written.find("\nkey-pause = P\n"), std::string::npos) << written;
    EXPECT_NE(written.find("\nmute = true\n"), std::string::npos) << written;
    EXPECT_EQ(changeSetting(settingIndex(SettingId::volume), "101"), "takes a whole number from 0 to 100");

    // The simulation takes only what changes the flight, and writes nothing.
    options.flightSettingsOnly = true;
    options.settings.clear();
    loadSettings(options);
    EXPECT_EQ(gameSettings().whole(SettingId::volume), 100);
    EXPECT_EQ(gameSettings().decimal(SettingId::mouseSensitivity), 2.0f);
    EXPECT_EQ(changeSetting(settingIndex(SettingId::mute), "false"), "");
    EXPECT_EQ(contents(path), written);

    // A settings folder that is a file: the change is taken for this run and the failure said once.
    std::ofstream(dir + "/file") << "x";
    options.flightSettingsOnly = false;
    options.settingsPath = dir + "/file/settings.ini";
    loadSettings(options);
    testing::internal::CaptureStderr();
    EXPECT_EQ(changeSetting(settingIndex(SettingId::mute), "true"), "");
    EXPECT_EQ(changeSetting(settingIndex(SettingId::volume), "10"), "");
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(linesIn(said), 1u) << said;
    EXPECT_NE(said.find("settings not saved: cannot write"), std::string::npos) << said;
    EXPECT_TRUE(gameSettings().on(SettingId::mute));
    options.noSettings = true;
    loadSettings(options);
    EXPECT_TRUE(gameSettings() == Settings());
}

TEST(SettingsFile, TheReadmeListsEverySettingWithItsDefault) {
    std::ifstream in(std::string(VANTURO_SOURCE_DIR) + "/README.md");
    std::string line, names, defaults;
    bool inTable = false;
    while (std::getline(in, line)) {
        if (inTable && line.rfind("|", 0) != 0) break;  // the table's end
        inTable = inTable || line.rfind("| Setting |", 0) == 0;
        if (!inTable || line.rfind("| `", 0) != 0) continue;
        const size_t second = line.find(" | ", 2), third = line.find(" | ", second + 3);
        names += line.substr(2, second - 2) + ", ";
        defaults += line.substr(second + 3, third - second - 3) + ", ";
    }
    std::string tableNames, tableDefaults;
    for (const SettingRow& row : settingsTable()) {
        tableNames += "`" + std::string(row.name) + "`, ";
        tableDefaults += std::string(row.defaultText) + ", ";
    }
    EXPECT_EQ(names, tableNames);
    EXPECT_EQ(defaults, tableDefaults);
}
