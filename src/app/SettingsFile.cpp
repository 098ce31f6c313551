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

// What a line says of itself in a message: whole when short, else its start.
std::string quoted(const std::string& text) {
    constexpr size_t most = 40;
    return "\"" + (text.size() <= most ? text : text.substr(0, most) + "...") + "\"";
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

    std::vector<std::string> problems;
    std::vector<unsigned char> bytes;
    std::string why;
    if (!readWholeFile(path.c_str(), settingsFileLimits::fileBytes, bytes, why)) {
        if (!why.empty()) problems.push_back(why + "; every setting at its default");
    } else if (std::find(bytes.begin(), bytes.end(), 0) != bytes.end()) {
        problems.push_back("not a settings file (it holds binary bytes); every setting at its default");
    } else {
        read_ = true;
        std::vector<Line> lines;
        const std::string text(bytes.begin(), bytes.end());
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
                problems.push_back(where + quoted(line) + " is not name = value");
                continue;
            }
            const std::string name = trimmed(line.substr(0, equals));
            const int index = findSetting(name);
            if (index < 0) {
                problems.push_back(where + "no setting is named " + quoted(name));
                continue;
            }
            if (flightOnly && !settingsTable()[size_t(index)].flight()) continue;
            lines.push_back({number, size_t(index), trimmed(line.substr(equals + 1))});
        }
        // The keys all at once first: two keys swapped are each taken by the other until both lines are read.
        Settings together = saved_;
        std::vector<Line> others;
        for (const Line& line : lines) {
            const int code = keyFromLabel(line.value);
            if (settingsTable()[line.index].kind == SettingKind::key && code > 0 && code != vkEscape &&
                code != vkLeftButton)
                together.setNumber(line.index, code);
            else
                others.push_back(line);
        }
        if (together.keysDistinct()) {
            saved_ = together;
            lines.swap(others);
        }
        // Otherwise a key taken by another action may be freed by a later line: the lines refused are tried
        // again while any is taken.
        for (bool progress = true; progress && !lines.empty();) {
            progress = false;
            std::vector<Line> refused;
            for (const Line& line : lines) {
                if (saved_.set(line.index, line.value).empty())
                    progress = true;
                else
                    refused.push_back(line);
            }
            lines.swap(refused);
        }
        for (const Line& line : lines)
            problems.push_back("line " + std::to_string(line.number) + ": " + settingsTable()[line.index].name + " = " +
                               quoted(line.value) + ": " + saved_.set(line.index, line.value));
    }
    damaged_ = !problems.empty();
    for (size_t i = 0; i < problems.size() && i < size_t(settingsFileLimits::linesSaid); ++i)
        reportError("settings " + shortPath(path) + ": " + problems[i] +
                    (problems[i].find("default") == std::string::npos ? " (its default stands)" : ""));
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
    if (damaged_ && std::filesystem::is_regular_file(file, error)) {
        // The damaged file is kept for the player to look at, beside the new one.
        std::filesystem::rename(file, path_ + setAsideSuffix, error);
        if (error) {
            reportError("cannot keep the damaged settings as " + shortPath(path_ + setAsideSuffix) + ": " +
                        error.message() + "; the settings are not saved");
            writable_ = false;
            return;
        }
    }
    damaged_ = false;
    std::string text = header;
    const std::vector<SettingRow>& table = settingsTable();
    for (size_t i = 0; i < table.size(); ++i)
        text += std::string("\n# ") + table[i].help + " (" + table[i].defaultText + " unless set)\n" + table[i].name +
                " = " + saved_.text(i) + "\n";
    OutputFile out;
    std::string reason;
    if (!out.open(path_, reason) || !out.write(text) || !out.commit()) {
        if (reason.empty()) reason = "cannot write " + shortPath(path_) + ": " + out.reason();
        reportError("settings not saved: " + reason);
        writable_ = false;  // said once: the game plays on with the settings it has
    }
}
