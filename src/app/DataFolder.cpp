// Where the game finds its data: the candidates in order, and the first that holds the terrain picture.
#include "app/DataFolder.h"

#include <algorithm>
#include <filesystem>

#include "app/Screenshot.h"
#include "common/Shell.h"
#include "assets/ModelCache.h"
#include "objects/Ship.h"
#include "world/LevelFormat.h"

#ifndef VANTURO_INSTALLED_DATA
#define VANTURO_INSTALLED_DATA ""
#endif
const char* const installedDataFolder = VANTURO_INSTALLED_DATA;

std::vector<std::string> dataFolderCandidates(const std::string& given, const std::string& executableFolder,
                                              const std::string& installedFolder) {
    if (!given.empty()) return {given};
    namespace fs = std::filesystem;
    const auto tidy = [](const fs::path& folder) {
        std::string tidied = folder.lexically_normal().string();
        if (tidied.size() > 1 && tidied.back() == '/') tidied.pop_back();
        return tidied;
    };
    // An installed game keeps its data in share/vanturo beside bin/ (or games/): looked for from the
    // executable too, so a package unpacked under any prefix finds its own.
    const std::string executable = executableFolder.empty() ? "" : tidy(executableFolder);
    const std::string besideBin = executable.empty() ? "" : tidy(fs::path(executable) / ".." / "share" / "vanturo");
    std::vector<std::string> candidates;
    for (const std::string& folder : {std::string("."), executable, besideBin, installedFolder}) {
        if (!folder.empty() && std::find(candidates.begin(), candidates.end(), folder) == candidates.end())
            candidates.push_back(folder);
    }
    return candidates;
}

std::string findDataFolder(const std::vector<std::string>& candidates) {
    for (const std::string& folder : candidates) {
        std::error_code error;
        if (std::filesystem::is_regular_file(std::filesystem::path(folder) / terrainFile, error)) return folder;
    }
    return "";
}

std::string missingDataMessage(const std::vector<std::string>& candidates) {
    std::string message = "Can't Find The Game's Data.\nNone of these folders holds ";
    message += terrainFile;
    message += ":";
    for (const std::string& folder : candidates) message += "\n  " + folder;
    return message;
}

bool enterDataFolder(const std::string& folder) {
    screenshotFolder = shell().picturesFolder();  // asked first: it may be the folder the game started from
    std::error_code error;
    std::filesystem::current_path(folder, error);
    if (error) return false;
    ModelCache::instance().clear();
    Ship::player.model = ModelCache::instance().get(modelOf(typeIds::ship));
    return true;
}
