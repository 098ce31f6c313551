// The one option parser of the game and its tools, through the game's own options.
#include "common/CommandLine.h"

#include "app/GameOptions.h"
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
        {{"--fullscreen=yes"}, 2, "--fullscreen takes no value"},
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
            EXPECT_TRUE(options.dataFolder == "dir" && options.width == 1024 && options.height == 768 &&
                        options.fullscreen);
            continue;
        }
        EXPECT_EQ(outcome.exitCode, c.exitCode);
        EXPECT_NE(outcome.text.find(c.said), std::string::npos) << outcome.text;
        if (c.exitCode == 2) {
            EXPECT_EQ(outcome.text.find('\n'), outcome.text.size() - 1) << outcome.text;
        }
    }
}
