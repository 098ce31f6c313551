// A set of values for every row of the settings table: read and written as text, kept as numbers, so the
// frame driver's look-ups cost an index.
#pragma once

#include <string>
#include <vector>

#include "app/SettingsTable.h"

class Settings {
   public:
    Settings();  // every setting at its default

    // The value as the settings file and the screen write it ("100", "true", "800x600", "F2", "1.5").
    std::string text(size_t index) const;
    // Takes a value written as text; "" when taken, else what is wrong with it ("takes a whole number from
    // 0 to 100", "takes another key: F1 is key-help's"), and the value stays as it was.
    std::string set(size_t index, const std::string& text);
    void reset(size_t index);  // back to its default
    // A whole, decimal, on-off or key setting as a number (a key's code; 1 for on), and set so unchecked: for
    // values checked already (a demo's, checked when it was opened).
    double number(size_t index) const { return values_[index].number; }
    void setNumber(size_t index, double number) { values_[index].number = number; }

    int whole(SettingId id) const { return int(values_[settingIndex(id)].number); }
    float decimal(SettingId id) const { return float(values_[settingIndex(id)].number); }
    bool on(SettingId id) const { return values_[settingIndex(id)].number != 0; }
    int width() const { return values_[settingIndex(SettingId::windowSize)].width; }
    int height() const { return values_[settingIndex(SettingId::windowSize)].height; }
    int key(KeyAction action) const;

    // Whether no two actions share a key.
    bool keysDistinct() const;
    // The action bound to code, or quit for none (Escape is quit's, and only quit's).
    KeyAction actionOfKey(int code) const;

    bool operator==(const Settings& other) const;
    bool operator!=(const Settings& other) const { return !(*this == other); }

   private:
    struct Value {
        double number = 0;
        int width = 0, height = 0;
        bool operator==(const Value& o) const { return number == o.number && width == o.width && height == o.height; }
    };
    std::vector<Value> values_;
};

// The values the game runs with now: the defaults, then the settings file, then the command line, then what
// the player changes while playing (and, while a demo plays, what it recorded).
Settings& gameSettings();
// The key bound to an action now: the table's code unless a key-... setting says another.
int keyCode(KeyAction action);
