// Where the game finds its data: the first of a few folders that holds data/level1.tga.
#pragma once

#include <string>
#include <vector>

// The folders to look in: the one given on the command line alone, when one is given (a level asked for by
// name is never swapped for another); else, in order, the current folder, the executable's own folder and
// share/vanturo beside it (if known), the installed data folder (if any). Each is tidied (no "bin//../").
std::vector<std::string> dataFolderCandidates(const std::string& given, const std::string& executableFolder,
                                              const std::string& installedFolder);

// PREFIX/share/vanturo of the installed game (where the build was configured to install), for the programs
// that look there.
extern const char* const installedDataFolder;

// The first candidate that holds data/level1.tga, or "" when none does.
std::string findDataFolder(const std::vector<std::string>& candidates);

// Where a file the game reads as gamePath ("data/...") lies in the data folder dataDir (a level's data/).
inline std::string inDataFolder(const std::string& dataDir, const char* gamePath) {
    const std::string path = gamePath;
    return dataDir + path.substr(path.find('/'));
}

// What to tell the player when none does, naming every folder tried.
std::string missingDataMessage(const std::vector<std::string>& candidates);

// Makes folder the working directory, where the game's "data/..." paths are read from, and gives the ship
// its model from there (it was built before the folder was chosen); screenshots are to go to the player's
// pictures folder, or the folder the game was started from. False if the folder cannot be entered.
bool enterDataFolder(const std::string& folder);
