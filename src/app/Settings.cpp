// The settings table's whole rows and the values of a set of settings, read and written as text.
#include "app/Settings.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <iterator>

#include "common/CommandLine.h"

namespace {

std::vector<SettingRow> makeTable() {
    static std::deque<std::string> keyTexts;  // the key rows' names, defaults and help: a deque never moves them
    const auto kept = [](std::string text) { return keyTexts.emplace_back(std::move(text)).c_str(); };
    std::vector<SettingRow> table(std::begin(fixedSettingRows), std::end(fixedSettingRows));
    for (int action = 0; action < int(KeyAction::quit); ++action) {  // in the order of KeyAction: settingIndex
        const KeyRow& row = keyRow(KeyAction(action));
        table.push_back({SettingId(int(SettingId::firstKey) + action), kept(std::string("key-") + row.name),
                         SettingKind::key, kept(keyLabel(row.code)), 0, 0, 0, settingActs::flight,
                         keyDemoCodes + action, kept(std::string("key: ") + row.help)});
    }
    return table;
}

// "1", "0.5", "2.25": the shortest text that reads back as the same float.
std::string decimalText(double number) {
    char text[32];
    for (int digits = 1; digits <= 9; ++digits) {
        std::snprintf(text, sizeof text, "%.*g", digits, number);
        if (float(std::strtod(text, nullptr)) == float(number)) break;
    }
    return text;
}

std::string rangeText(const SettingRow& row) {
    return row.kind == SettingKind::decimal ? decimalText(row.lo) + " to " + decimalText(row.hi)
                                            : std::to_string(int(row.lo)) + " to " + std::to_string(int(row.hi));
}

}  // namespace

const std::vector<SettingRow>& settingsTable() {
    static const std::vector<SettingRow> table = makeTable();
    return table;
}

size_t settingIndex(SettingId id) { return size_t(id); }

size_t settingIndex(KeyAction action) { return size_t(SettingId::firstKey) + size_t(action); }

int findSetting(const std::string& name) {
    const std::vector<SettingRow>& table = settingsTable();
    for (size_t i = 0; i < table.size(); ++i)
        if (table[i].name == name) return int(i);
    return -1;
}

std::vector<std::string> choiceNames(const SettingRow& row) {
    std::vector<std::string> names;
    if (!row.choices) return names;
    const std::string list = row.choices;
    for (size_t begin = 0;;) {
        const size_t end = list.find('|', begin);
        names.push_back(list.substr(begin, end - begin));
        if (end == std::string::npos) return names;
        begin = end + 1;
    }
}

Settings::Settings() : values_(settingsTable().size()) {
    for (size_t i = 0; i < values_.size(); ++i) reset(i);
}

void Settings::reset(size_t index) {
    const SettingRow& row = settingsTable()[index];
    Value& value = values_[index];
    value = Value();
    switch (row.kind) {
        case SettingKind::size: parseSize(row.defaultText, int(row.lo), int(row.hi), value.width, value.height); break;
        case SettingKind::key: value.number = keyFromLabel(row.defaultText); break;
        case SettingKind::onOff: value.number = std::string(row.defaultText) == "true"; break;
        case SettingKind::choice: value.number = choiceIndex(row, row.defaultText); break;
        default: value.number = std::strtod(row.defaultText, nullptr); break;
    }
}

std::string Settings::text(size_t index) const {
    const Value& value = values_[index];
    const SettingRow& row = settingsTable()[index];
    switch (row.kind) {
        case SettingKind::whole: return std::to_string(int(value.number));
        case SettingKind::decimal: return decimalText(value.number);
        case SettingKind::onOff: return value.number != 0 ? "true" : "false";
        case SettingKind::size: return std::to_string(value.width) + "x" + std::to_string(value.height);
        case SettingKind::key: return keyLabel(int(value.number));
        case SettingKind::choice: return choiceNames(row).at(size_t(value.number));
    }
    return "";
}

std::string Settings::set(size_t index, const std::string& text) {
    const SettingRow& row = settingsTable()[index];
    Value& value = values_[index];
    switch (row.kind) {
        case SettingKind::whole:
        case SettingKind::decimal: {
            char* end = nullptr;
            errno = 0;
            const double number = std::strtod(text.c_str(), &end);
            const bool whole = row.kind == SettingKind::whole;
            const bool plain = !text.empty() && (std::isdigit(static_cast<unsigned char>(text[0])) || text[0] == '-');
            if (!plain || *end != '\0' || errno != 0 || !std::isfinite(number) || number < row.lo || number > row.hi ||
                (whole && number != std::floor(number)))
                return std::string("takes ") + (whole ? "a whole number" : "a number") + " from " + rangeText(row);
            value.number = whole ? number : double(float(number));
            return "";
        }
        case SettingKind::onOff: {
            for (const char* yes : {"true", "on", "yes", "1"})
                if (text == yes) return value.number = 1, "";
            for (const char* no : {"false", "off", "no", "0"})
                if (text == no) return value.number = 0, "";
            return "takes true or false";
        }
        case SettingKind::size: {
            int width = 0, height = 0;
            if (!parseSize(text, int(row.lo), int(row.hi), width, height))
                return "takes WxH, both from " + rangeText(row);
            value.width = width;
            value.height = height;
            return "";
        }
        case SettingKind::key: {
            const int code = keyFromLabel(text);
            if (code < 0 || code == vkEscape || code == vkLeftButton)
                return "takes a key's name (A to Z, 0 to 9, F1 to F12, Enter, Space, ...), not Escape";
            const KeyAction holder = actionOfKey(code);
            if (holder != KeyAction::quit && settingIndex(holder) != index)
                return "takes another key: " + keyLabel(code) + " is key-" + keyRow(holder).name + "'s";
            value.number = code;
            return "";
        }
        case SettingKind::choice: {
            const int choice = choiceIndex(row, text.c_str());
            if (choice < 0) {
                const std::vector<std::string> names = choiceNames(row);
                std::string said = "takes " + names[0];
                for (size_t i = 1; i < names.size(); ++i) said += (i + 1 == names.size() ? " or " : ", ") + names[i];
                return said;
            }
            value.number = choice;
            return "";
        }
    }
    return "cannot be set";
}

int Settings::key(KeyAction action) const {
    if (action == KeyAction::quit) return vkEscape;
    return int(values_[settingIndex(action)].number);
}

KeyAction Settings::actionOfKey(int code) const {
    for (const KeyRow& row : keyTable)
        if (row.action != KeyAction::quit && key(row.action) == code) return row.action;
    return KeyAction::quit;
}

bool Settings::keysDistinct() const {
    for (int a = 0; a < int(KeyAction::quit); ++a)
        for (int b = a + 1; b < int(KeyAction::quit); ++b)
            if (key(KeyAction(a)) == key(KeyAction(b))) return false;
    return true;
}

bool Settings::operator==(const Settings& other) const { return values_ == other.values_; }

Settings& gameSettings() {
    static Settings settings;
    return settings;
}

int keyCode(KeyAction action) { return gameSettings().key(action); }
