// The player's pictures folder on freedesktop systems: XDG_PICTURES_DIR from the environment or from
// user-dirs.dirs, else ~/Pictures, made when it is not there; the current folder when it cannot be made.
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "PicturesFolder.h"
#include "common/WholeFile.h"

namespace {

namespace fs = std::filesystem;

constexpr size_t maxUserDirsBytes = 64u << 10;  // a few lines of folder names, with room to spare

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

// The value of XDG_PICTURES_DIR="$HOME/..." in user-dirs.dirs, with $HOME put in; "" when it is not there.
std::string fromUserDirs(const std::string& home) {
    std::string config = environment("XDG_CONFIG_HOME");
    if (config.empty()) config = home + "/.config";
    // A small settings file, read whole within a small limit: a FIFO or a device there never holds the game up.
    std::vector<unsigned char> bytes;
    readWholeFile((config + "/user-dirs.dirs").c_str(), maxUserDirsBytes, bytes);
    std::istringstream file(std::string(bytes.begin(), bytes.end()));
    const std::string key = "XDG_PICTURES_DIR=\"";
    std::string line;
    while (std::getline(file, line)) {
        if (line.rfind(key, 0) != 0 || line.size() < key.size() + 1 || line.back() != '"') continue;
        std::string value = line.substr(key.size(), line.size() - key.size() - 1);
        if (value.rfind("$HOME", 0) == 0) value = home + value.substr(5);
        return value;
    }
    return "";
}

bool isFolder(const std::string& path) {
    std::error_code ignored;
    return !path.empty() && fs::is_directory(path, ignored);
}

}  // namespace

std::string posix::picturesFolder() {
    const std::string home = environment("HOME");
    for (const std::string& folder : {environment("XDG_PICTURES_DIR"), home.empty() ? "" : fromUserDirs(home),
                                      home.empty() ? "" : home + "/Pictures"}) {
        if (isFolder(folder)) return folder;
    }
    // None yet: ~/Pictures is made, where a player looks for pictures, rather than the game's own folder.
    std::error_code ignored;
    if (!home.empty() && home[0] == '/' && fs::create_directories(home + "/Pictures", ignored) && !ignored)
        return home + "/Pictures";
    const fs::path here = fs::current_path(ignored);
    return here.empty() ? "." : here.string();
}
