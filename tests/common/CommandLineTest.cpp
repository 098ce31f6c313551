// The one option parser of the game and its tools, through the game's own options.
#include "common/CommandLine.h"

#include "app/GameOptions.h"
#include "app/Settings.h"
#include "Fixtures.h"

namespace {

CommandLine::Outcome parse(std::vector<const char*> arguments, GameOptions& options) {
    arguments.insert(arguments.begin(), "vanturo");
    return parseGameOptions(int(arguments.size()), arguments.data(), options);
}

}  // namespace

TEST(CommandLine, OptionsAreTakenInBothFormsAndMistakesEndWithCodeTwoAndOneLine) {
    const struct {
        std::vector<const char*> arguments;
        int exitCode;      // -1: the game starts
        const char* said;  // part of the one line printed
    } cases[] = {
        {{"--data", "dir", "--size", "1024x768", "--fullscreen"}, -1, ""},
        {{"--data=dir", "--size=1024x768", "--fullscreen"}, -1, ""},
        {{"--help"}, 0, "  --help                show this help and exit\n  --version"},
        {{"--version"}, 0, "vanturo 1."},
        {{"--bogus"}, 2, "unknown option --bogus"},
        {{"data"}, 2, "unknown option data"},
        {{"--data"}, 2, "--data needs DIR"},
        {{"--data="}, 2, "--data needs a folder"},
        {{"--fullscreen=maybe"}, 2, "--fullscreen takes true or false"},
        {{"--no-settings=yes"}, 2, "--no-settings takes no value"},
        {{"--settings", "s.ini", "--no-settings"}, 2, "cannot be used together"},
        {{"--mouse-sensitivity", "5"}, 2, "takes a number from 0.25 to 4"},
        {{"--volume", "50.5"}, 2, "takes a whole number from 0 to 100"},
        {{"--key-pause", "F1"}, 2, "--key-pause takes another key: F1 is key-help's"},
        {{"--key-help", "F3", "--key-pause", "F1"}, -1, ""},  // F1 freed first
        {{"--key-mute", "Escape"}, 2, "not Escape"},
        {{"--size", "1024"}, 2, "--size takes WxH"},
        {{"--size", "1024x-768"}, 2, "--size takes WxH"},
        {{"--size", "16384x16384"}, 2, "from 160 to 8192"},
        {{"--size", "99999999999x600"}, 2, "--size takes WxH"},
        {{"--size", "800x600x"}, 2, "--size takes WxH"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments[0]);
        GameOptions options;
        const CommandLine::Outcome outcome = parse(c.arguments, options);
        EXPECT_EQ(outcome.proceed, c.exitCode < 0) << outcome.text;
        if (c.exitCode < 0) {
            Settings settings;
            for (const auto& [index, text] : options.settings) EXPECT_EQ(settings.set(index, text), "");
            if (options.dataFolder == "dir") {
                EXPECT_TRUE(settings.width() == 1024 && settings.height() == 768 && settings.on(SettingId::fullscreen));
            }
            continue;
        }
        EXPECT_EQ(outcome.exitCode, c.exitCode);
        EXPECT_NE(outcome.text.find(c.said), std::string::npos) << outcome.text;
        if (c.exitCode == 2) {
            EXPECT_EQ(outcome.text.find('\n'), outcome.text.size() - 1) << outcome.text;
        }
    }
}
