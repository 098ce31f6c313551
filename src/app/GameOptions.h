// The game's command line, the same on every platform; the settings' options are made from the settings table.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "app/SettingsTable.h"
#include "common/CommandLine.h"

struct GameOptions {
    std::string dataFolder;            // --data: looked in first, "" for none
    std::string recordPath, playPath;  // demos, as absolute paths: the game leaves the folder it started in
    std::vector<std::pair<size_t, std::string>> settings;  // what the command line set, by row, in its order
    std::string settingsPath;         // --settings, as an absolute path; "" for the player's own file
    bool noSettings = false;          // --no-settings: no file read or written
    bool flightSettingsOnly = false;  // only the settings that change the flight are read (the simulation)
    bool pacedReplay = true;  // a played demo takes its frames' own time (the simulation plays it flat out)
};

// The options of the settings the filter takes (every one without a filter): --NAME VALUE each (--NAME alone
// for true, or --NAME=false), --size for window-size, and --settings FILE and --no-settings.
void addSettingOptions(CommandLine& line, GameOptions& options, bool (*filter)(const SettingRow&) = nullptr);

// A refusal when the settings' options contradict each other (--settings with --no-settings), else outcome.
CommandLine::Outcome checkSettingOptions(const CommandLine::Outcome& outcome, const GameOptions& options);

// Parses the game's options into options; the outcome says whether to start.
CommandLine::Outcome parseGameOptions(int argc, const char* const* argv, GameOptions& options);
