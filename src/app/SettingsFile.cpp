// The settings file: read through the whole-file reader, written through the safe writer.
#include "app/SettingsFile.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <vector>

#include "common/OutputFile.h"
#include "common/Report.h"
#include "common/WholeFile.h"

namespace {

const char* const fileName = "settings.ini";
const char* const setAsideSuffix = ".bad";
const char* const header =
    "# Vanturo's settings, one \"name = value\" a line; a line starting with # is a comment.\n"
    "# The game writes this file whenever a setting is changed in the game (M, F11, the settings screen on F2).\n"
    "# The command line's options of the same names win over it for one run and are never written here.\n";

std::string trimmed(const std::string& text) {
    const size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos) return "";
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

// What a line says of itself in a message: whole when short, else its start; a byte that is not printable
// ASCII (a control character from a damaged file, which would act on the terminal) shown as \xNN.
std::string inQuotes(const std::string& text) {
    constexpr size_t most = 40;
    std::string shown;
    for (size_t i = 0; i < text.size() && i < most; ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (c >= 0x20 && c < 0x7F) {
            shown += char(c);
        } else {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", c);
            shown += escaped;
        }
    }
    return "\"" + shown + (text.size() > most ? "..." : "") + "\"";
}

// A UTF-8 byte order mark, which editors on Windows put at a file's start: not part of the first line.
constexpr char byteOrderMark[] = "\xEF\xBB\xBF";

// Where the damaged file is kept: NAME.bad, or NAME.bad-2, -3, ... when an older one is there (kept too).
std::string setAsideName(const std::string& path) {
    std::error_code error;
    for (int n = 1; n < 1000; ++n) {
        const std::string name = path + setAsideSuffix + (n == 1 ? "" : "-" + std::to_string(n));
        if (!std::filesystem::exists(std::filesystem::symlink_status(name, error))) return name;
    }
    return "";
}

struct Line {
    int number;
    size_t index;
    std::string value;
};

}  // namespace

std::string defaultSettingsPath(const std::string& folder) {
    return folder.empty() ? "" : (std::filesystem::path(folder) / fileName).string();
}

SettingsFile& SettingsFile::instance() {
    static SettingsFile file;
    return file;
}

void SettingsFile::open(const std::string& path, bool flightOnly) {
    *this = SettingsFile();
    path_ = path;
    writable_ = !path.empty() && !flightOnly;
    if (path.empty()) return;
    if (writable_) removeStaleScratchFiles(path);  // what a save that was killed left beside the file

    // What is wrong with the file (it is damaged: kept as it is until the player changes a setting), and what
    // is only worth saying; each said in one line.
    std::vector<std::string> problems, notes;
    const std::string standing = " (its default stands)";
    std::vector<unsigned char> bytes;
    std::string why;
    if (!readWholeFile(path.c_str(), settingsFileLimits::fileBytes, bytes, why)) {
        if (!why.empty()) problems.push_back(why + "; every setting at its default");
    } else if (std::find(bytes.begin(), bytes.end(), 0) != bytes.end()) {
        problems.push_back("not a settings file (it holds binary bytes); every setting at its default");
    } else {
        read_ = true;
        std::vector<Line> lines;
        std::string text(bytes.begin(), bytes.end());
        if (text.compare(0, 3, byteOrderMark) == 0) text.erase(0, 3);
        int number = 0;
        for (size_t start = 0; start < text.size();) {
            size_t end = text.find('\n', start);
            if (end == std::string::npos) end = text.size();
            const std::string line = trimmed(text.substr(start, end - start));
            start = end + 1;
            ++number;
            if (line.empty() || line[0] == '#' || line[0] == ';') continue;
            const size_t equals = line.find('=');
            const std::string where = "line " + std::to_string(number) + ": ";
            if (equals == std::string::npos) {
                problems.push_back(where + inQuotes(line) + " is not name = value" + standing);
                continue;
            }
            const std::string name = trimmed(line.substr(0, equals));
            const int index = findSetting(name);
            if (index < 0) {
                problems.push_back(where + "no setting is named " + inQuotes(name) + standing);
                continue;
            }
            if (flightOnly && !settingsTable()[size_t(index)].flight()) continue;
            // The same name again: the later line is the one taken, and the earlier one said.
            for (auto earlier = lines.begin(); earlier != lines.end(); ++earlier) {
                if (earlier->index != size_t(index)) continue;
                notes.push_back("line " + std::to_string(earlier->number) + ": " + name + " is set again on line " +
                                std::to_string(number) + ", whose value is taken");
                lines.erase(earlier);
                break;
            }
            lines.push_back({number, size_t(index), trimmed(line.substr(equals + 1))});
        }
        // The keys all at once: two keys swapped are each the other's until both lines are read. Where two
        // actions end up on one key, the later line gives way (its action keeps its default) until none do, and
        // is said with the action that holds its key.
        std::vector<Line> keyLines, others;
        for (const Line& line : lines) {
            const int code = keyFromLabel(line.value);
            const bool key = settingsTable()[line.index].kind == SettingKind::key && code > 0 && code != vkEscape &&
                             code != vkLeftButton;
            (key ? keyLines : others).push_back(line);
        }
        for (const Line& line : keyLines) saved_.setNumber(line.index, keyFromLabel(line.value));
        while (!saved_.keysDistinct()) {
            bool gaveWay = false;
            for (auto line = keyLines.rbegin(); line != keyLines.rend() && !gaveWay; ++line) {
                const int code = int(saved_.number(line->index));
                for (const KeyRow& row : keyTable) {
                    if (row.action == KeyAction::quit || settingIndex(row.action) == line->index ||
                        saved_.key(row.action) != code)
                        continue;
                    problems.push_back("line " + std::to_string(line->number) + ": " +
                                       settingsTable()[line->index].name + " = " + inQuotes(line->value) +
                                       ": takes another key: " + keyLabel(code) + " is key-" + row.name + "'s" +
                                       standing);
                    saved_.reset(line->index);
                    keyLines.erase(std::next(line).base());
                    gaveWay = true;
                    break;
                }
            }
            if (!gaveWay) break;  // only the defaults are left, and they never share a key
        }
        // The other settings, each on its own.
        lines.clear();
        for (const Line& line : others)
            if (!saved_.set(line.index, line.value).empty()) lines.push_back(line);
        for (const Line& line : lines)
            problems.push_back("line " + std::to_string(line.number) + ": " + settingsTable()[line.index].name + " = " +
                               inQuotes(line.value) + ": " + saved_.set(line.index, line.value) + standing);
    }
    damaged_ = !problems.empty();
    problems.insert(problems.end(), notes.begin(), notes.end());
    for (size_t i = 0; i < problems.size() && i < size_t(settingsFileLimits::linesSaid); ++i)
        reportError("settings " + shortPath(path) + ": " + problems[i]);
    if (problems.size() > size_t(settingsFileLimits::linesSaid))
        reportError("settings " + shortPath(path) + ": and " +
                    std::to_string(problems.size() - size_t(settingsFileLimits::linesSaid)) + " more problems");
}

void SettingsFile::keep(size_t index) {
    saved_.set(index, gameSettings().text(index));
    if (writable_) save();
}

void SettingsFile::save() {
    std::error_code error;
    const std::filesystem::path file(path_);
    // Only a file is written: a FIFO or a device in its place would hold the game up, or take the settings.
    const auto status = std::filesystem::status(file, error);
    if (std::filesystem::exists(status) && !std::filesystem::is_regular_file(status)) {
        reportError("settings not saved: " + shortPath(path_) + " is not a regular file");
        writable_ = false;
        return;
    }
    if (file.has_parent_path()) std::filesystem::create_directories(file.parent_path(), error);
    // The damaged file is kept for the player to look at, under a second name, while it still stands where the
    // game reads it: the new file then takes its place whole, so a save that fails (a full disk, a signal)
    // leaves the damaged file where it was, never no file at all.
    std::string keptAs;
    if (damaged_ && std::filesystem::is_regular_file(file, error)) {
        keptAs = setAsideName(path_);
        std::error_code linked, copied;
        if (!keptAs.empty()) std::filesystem::create_hard_link(file, keptAs, linked);
        if (!keptAs.empty() && linked) std::filesystem::copy_file(file, keptAs, copied);  // a system without links
        if (keptAs.empty() || (linked && copied)) {
            reportError("cannot keep the damaged settings beside " + shortPath(path_) + ": " +
                        (keptAs.empty() ? std::string("too many are kept already") : copied.message()) +
                        "; the settings are not saved");
            writable_ = false;
            return;
        }
    }
    std::string text = header;
    const std::vector<SettingRow>& table = settingsTable();
    for (size_t i = 0; i < table.size(); ++i)
        text += std::string("\n# ") + table[i].help + " (" + table[i].defaultText + " unless set)\n" + table[i].name +
                " = " + saved_.text(i) + "\n";
    OutputFile out;
    std::string reason;
    if (!out.open(path_, reason) || !out.write(text) || !out.commit()) {
        if (reason.empty()) reason = out.reason();
        if (!keptAs.empty()) std::filesystem::remove(keptAs, error);  // the damaged file is still in its place
        reportError("settings not saved: " + reason);
        writable_ = false;  // said once: the game plays on with the settings it has
        return;
    }
    if (!keptAs.empty() && keptAs != path_ + setAsideSuffix)
        reportError("settings: the damaged file is kept as " + shortPath(keptAs) + " (older ones are kept too)");
    damaged_ = false;
}
