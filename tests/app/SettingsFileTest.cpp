// The settings file: what it takes, what it refuses (one line each, the default standing, the file kept until
// the player changes a setting), and where each value comes from: defaults, then the file, then the command line.
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

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
        const char* said;     // in the lines said
        bool (*holds)();      // what was read
        bool damaged = true;  // set aside at the first change when anything was said
    } cases[] = {
        {"a good file", "# mine\nvolume = 40\n  mute=on  \r\nkey-pause = f5\nwindow-size = 1024x768\n", 0, "",
         [] {
             return saved().whole(SettingId::volume) == 40 && saved().on(SettingId::mute) &&
                    saved().key(KeyAction::pause) == vkF1 + 4 && saved().width() == 1024;
         }},
        {"two keys swapped", "key-pause = F1\nkey-help = P\n", 0, "",
         [] { return saved().key(KeyAction::pause) == vkF1 && saved().key(KeyAction::help) == 'P'; }},
        // Beside the swap a third key on P: the later line gives way to the key's holder after the swap.
        {"two keys swapped and a third on one of them", "key-pause = F1\nkey-help = P\nkey-fill = P\n", 1,
         "line 3: key-fill = \"P\": takes another key: P is key-help's (its default stands)",
         [] { return saved().key(KeyAction::help) == 'P' && saved().key(KeyAction::fill) == '1'; }},
        {"a byte order mark before the first line", "\xEF\xBB\xBFvolume = 40\n", 0, "",
         [] { return saved().whole(SettingId::volume) == 40; }},
        {"one name twice", "volume = 40\nvolume = 50\n", 1,
         "line 1: volume is set again on line 2, whose value is taken",
         [] { return saved().whole(SettingId::volume) == 50; }, false},
        // A control character would act on the terminal: it is shown escaped.
        {"control characters", "volume = \x1b[31mred\n", 1, "volume = \"\\x1B[31mred\"",
         [] { return saved().whole(SettingId::volume) == 100; }},
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
        EXPECT_EQ(said.find('\x1b'), std::string::npos) << said;
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
        EXPECT_EQ(contents(path + ".bad"), c.linesSaid > 0 && c.damaged ? c.text : "");
        const Settings before = saved();
        testing::internal::CaptureStderr();
        SettingsFile::instance().open(path, false);  // what was written reads back whole, without a word
        EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
        EXPECT_TRUE(saved() == before && saved().on(SettingId::invertCamera));
    }
}

TEST(SettingsFile, ASaveThatFailsLeavesTheDamagedFileWhereTheGameReadsItAndOlderOnesAreKept) {
    const std::string dir = makeTempDir(), path = dir + "/settings.ini", damaged = "volume = loud\n";
    std::ofstream(path) << damaged;
    // What a killed save left: the new file it had begun, of a process that is gone (a child run and reaped);
    // one of a process still running is another game's save in progress.
    const pid_t gone = fork();
    if (gone == 0) _exit(0);
    waitpid(gone, nullptr, 0);
    const std::string stale = dir + "/.settings.ini." + std::to_string(gone) + "-1.tmp";
    const std::string running = dir + "/.settings.ini." + std::to_string(getppid()) + "-1.tmp";
    std::ofstream(stale) << "half";
    std::ofstream(running) << "half";
    testing::internal::CaptureStderr();
    SettingsFile::instance().open(path, false);
    testing::internal::GetCapturedStderr();
    EXPECT_FALSE(std::filesystem::exists(stale));
    EXPECT_TRUE(std::filesystem::exists(running));

    // A full disk at the change: the damaged file stays where it was, whole, and nothing is set aside.
    gameSettings() = saved();
    rlimit before;
    getrlimit(RLIMIT_FSIZE, &before);
    rlimit small = before;
    small.rlim_cur = 1024;  // room for what is said, not for the settings file
    const auto previous = signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &small);
    testing::internal::CaptureStderr();
    EXPECT_EQ(changeSetting(settingIndex(SettingId::mute), "true"), "");
    const std::string said = testing::internal::GetCapturedStderr();
    setrlimit(RLIMIT_FSIZE, &before);
    signal(SIGXFSZ, previous);
    EXPECT_EQ(contents(path), damaged);
    EXPECT_FALSE(std::filesystem::exists(path + ".bad"));
    EXPECT_EQ(linesIn(said), 1u) << said;
    EXPECT_EQ(said.find("cannot write " + path + ": cannot write"), std::string::npos) << said;  // said once
    EXPECT_NE(said.find("settings not saved: cannot write " + path + ": File too large"), std::string::npos) << said;

    // The next start saves: an older damaged file set aside stays, and the new one takes the next name.
    std::ofstream(path + ".bad") << "older";
    testing::internal::CaptureStderr();
    SettingsFile::instance().open(path, false);
    gameSettings() = saved();
    EXPECT_EQ(changeSetting(settingIndex(SettingId::mute), "true"), "");
    EXPECT_NE(testing::internal::GetCapturedStderr().find("the damaged file is kept as " + path + ".bad-2"),
              std::string::npos);
    EXPECT_EQ(contents(path + ".bad"), "older");
    EXPECT_EQ(contents(path + ".bad-2"), damaged);
    EXPECT_NE(contents(path).find("\nmute = true\n"), std::string::npos);
    std::filesystem::remove(running);
    gameSettings() = Settings();
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
    EXPECT_EQ(changeSetting(settingIndex(SettingId::camera), "fixed"), "takes classic or framed");

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

    // No folder for the player's file (HOME unset, a relative XDG_CONFIG_HOME, which the rule ignores): said
    // once, and the game plays on with the defaults.
    const std::string home = getenv("HOME") ? getenv("HOME") : "", config = getenv("XDG_CONFIG_HOME");
    unsetenv("HOME");
    setenv("XDG_CONFIG_HOME", "relative/config", 1);
    testing::internal::CaptureStderr();
    loadSettings(GameOptions());
    const std::string noFolder = testing::internal::GetCapturedStderr();
    setenv("XDG_CONFIG_HOME", config.c_str(), 1);
    if (!home.empty()) setenv("HOME", home.c_str(), 1);
    EXPECT_EQ(linesIn(noFolder), 1u) << noFolder;
    EXPECT_NE(noFolder.find("no settings are kept: there is no settings folder"), std::string::npos) << noFolder;
    EXPECT_EQ(SettingsFile::instance().path(), "");
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
