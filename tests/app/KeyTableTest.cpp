// The keys as the player reads them: the F1 help made from the key table, the notices naming the keys bound
// now, and every doc that lists the keys (README, the how-to-play text, the manual page) naming exactly the keys
// the game has.
#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <string>

#include "app/KeyHelp.h"
#include "app/KeyTable.h"
#include "app/Notices.h"
#include "app/Settings.h"

namespace {

std::string readSource(const std::string& path) {
    std::ifstream in(std::string(VANTURO_SOURCE_DIR) + "/" + path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// The names a doc gives keys, from the part of it that lists them: "1, 2, 3", "F11 or Alt+Enter" and
// "Enter, a left click" each give their names.
std::set<std::string> namesIn(const std::string& doc) {
    std::string text = readSource(doc), listed;
    std::smatch m;
    if (doc == "README.md") {
        const std::string play = text.substr(text.find("## Play"), text.find("The game plays") - text.find("## Play"));
        const std::regex bold(R"(\*\*([^*]+)\*\*)");
        for (auto it = std::sregex_iterator(play.begin(), play.end(), bold); it != std::sregex_iterator(); ++it)
            listed += (*it)[1].str() + "\n";
    } else {
        // The how-to-play text's key column, or the manual page's key headings.
        const std::regex line(doc == "docs/HOW-TO-PLAY.txt" ? R"(^  (\S.*?)(  +|\r?$))" : R"(^\.B (.*?)\r?$)");
        std::istringstream lines(text.substr(text.find(doc == "docs/HOW-TO-PLAY.txt" ? "  Mouse" : "[KEYS]")));
        std::string l;
        std::getline(lines, l);  // the heading
        while (std::getline(lines, l) && l.rfind("[", 0) != 0 && l.rfind(".PP", 0) != 0)
            if (std::regex_search(l, m, line)) listed += m[1].str() + "\n";
    }
    std::set<std::string> names;
    std::istringstream entries(std::regex_replace(listed, std::regex(",\\s*| or "), "\n"));
    for (std::string name; std::getline(entries, name);)
        if (!name.empty() && name.rfind("Mouse", 0) != 0 && name != "game controller") names.insert(name);
    return names;
}

}  // namespace

TEST(KeyTable, TheHelpListsEveryKeyOnceWithWhatItDoes) {
    const std::vector<std::string> lines = helpLines();
    std::string all;
    for (const std::string& line : lines) all += line + "\n";
    for (const KeyRow& row : keyTable) {
        const std::string entry =
            keyLabel(row.code) + (*row.also ? std::string(" or ") + row.also : "") + ": " + row.help;
        EXPECT_NE(all.find(entry), std::string::npos) << entry << " in\n" << all;
    }
    EXPECT_EQ(lines.back(), "Enter or a left click: fly again from the start");
    EXPECT_EQ(lines[2], "1: filled      2: lines      3: points");
}

TEST(KeyTable, EveryNoticeNamesTheKeyBoundNowAndTheDefaultsReadAsEver) {
    const struct {
        std::string (*notice)();
        KeyAction action;
        const char* asEver;   // with every key at its default
        const char* rebound;  // with the action's key moved to O
    } notices[] = {
        {leftWorldNotice, KeyAction::flyAgain, "You have left the world. Press Enter to fly again.",
         "You have left the world. Press O to fly again."},
        {pausedNotice, KeyAction::pause, "Paused. Press P to fly on.", "Paused. Press O to fly on."},
        {soundOffNotice, KeyAction::mute, "Sound off. Press M for sound.", "Sound off. Press O for sound."},
        {helpHint, KeyAction::help, "F1: keys", "O: keys"},
    };
    for (const auto& n : notices) {
        gameSettings() = Settings();
        EXPECT_EQ(n.notice(), n.asEver);
        ASSERT_EQ(gameSettings().set(settingIndex(n.action), "O"), "");
        EXPECT_EQ(n.notice(), n.rebound);
    }
    gameSettings() = Settings();
}

TEST(KeyTable, EveryDocNamesTheKeysTheGameHasAndNoOthers) {
    std::set<std::string> table;
    for (const KeyRow& row : keyTable) {
        table.insert(keyLabel(row.code));
        if (*row.also) table.insert(row.also);
    }
    for (const char* doc : {"README.md", "docs/HOW-TO-PLAY.txt", "packaging/vanturo.h2m"}) {
        SCOPED_TRACE(doc);
        EXPECT_EQ(namesIn(doc), table);
    }
}
