// The demo format: its level digest (FNV-1a 64, which other tools must be able to compute) and the settings
// it carries.
#include "app/DemoFormat.h"
#include "app/Settings.h"
#include "Fixtures.h"

TEST(DemoFormat, LevelDigestsAreFnv1a64) {
    const unsigned char a[] = {'a'}, foobar[] = {'f', 'o', 'o', 'b', 'a', 'r'};
    EXPECT_EQ(digestBytes(nullptr, 0), 0xcbf29ce484222325ull);
    EXPECT_EQ(digestBytes(a, 1), 0xaf63dc4c8601ec8cull);
    EXPECT_EQ(digestBytes(foobar, 6), 0x85944171f73967e8ull);
}

TEST(DemoFormat, EveryFlightSettingTravelsInADemoAndNoOtherDoes) {
    // A flight setting that did not travel would replay at its default: each is set off its default, carried
    // by its event, and lands on a fresh set of settings as it was.
    const std::vector<SettingRow>& table = settingsTable();
    for (size_t i = 0; i < table.size(); ++i) {
        SCOPED_TRACE(table[i].name);
        Settings flown;
        const SettingKind kind = table[i].kind;
        const std::string value = kind == SettingKind::key     ? "F9"
                                  : kind == SettingKind::onOff ? (flown.number(i) != 0 ? "false" : "true")
                                  : kind == SettingKind::size  ? "640x480"
                                  : kind == SettingKind::choice ? choiceNames(table[i]).back()
                                                               : std::to_string(table[i].hi);
        ASSERT_EQ(flown.set(i, value), "");
        DemoEvent event;
        ASSERT_EQ(demoEventOfSetting(flown, i, event), table[i].flight());
        if (!table[i].flight()) continue;
        Settings replayed;
        applyDemoSetting(replayed, event);
        EXPECT_EQ(replayed.text(i), flown.text(i));
        EXPECT_TRUE(replayed != Settings());
    }
}
