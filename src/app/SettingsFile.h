// The settings file: plain "name = value" lines under a comment header, read once at the start and written
// whenever the player changes a setting in the game. What the command line says is never written to it.
#pragma once

#include <string>

#include "app/Settings.h"

namespace settingsFileLimits {
constexpr size_t fileBytes = 64u << 10;  // hundreds of times what the table writes
constexpr int linesSaid = 5;             // problems said one line each, then how many more there were
}  // namespace settingsFileLimits

// The player's own file in folder (the shell's settingsFolder), or "" when there is no such folder.
std::string defaultSettingsPath(const std::string& folder);

class SettingsFile {
   public:
    static SettingsFile& instance();

    // Reads the file at path ("" for none: every setting at its default, nothing ever written). A missing file
    // is no problem; an unreadable or damaged one, an unknown name or a value out of range is said in one line
    // each and its default stands. A damaged file is kept as it is until the player changes a setting; it is
    // then set aside as NAME.bad and a whole new file written. flightOnly: only the settings that change the
    // flight are taken (the simulation), and the file is never written.
    void open(const std::string& path, bool flightOnly);
    const std::string& path() const { return path_; }
    bool read() const { return read_; }  // a file was there and at least partly read
    // The defaults and what the file said: what is written back.
    const Settings& saved() const { return saved_; }

    // Keeps the value the setting at index has now in gameSettings() (a change the player made in the game) as
    // the player's, and writes the file; a failed write is said on stderr.
    void keep(size_t index);

   private:
    void save();  // a failure is said once, and nothing more is written this run

    std::string path_;
    Settings saved_;
    bool read_ = false;
    bool damaged_ = false;
    bool writable_ = false;
};
