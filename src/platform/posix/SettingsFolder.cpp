// The player's settings folder on freedesktop systems: XDG_CONFIG_HOME (when it names an absolute folder, as
// the freedesktop base directories ask) or ~/.config, with the game's own folder in it.
#include "SettingsFolder.h"

#include <cstdlib>

std::string posix::settingsFolder() {
    const char* config = std::getenv("XDG_CONFIG_HOME");
    if (config && config[0] == '/') return std::string(config) + "/vanturo";
    const char* home = std::getenv("HOME");
    if (home && home[0] == '/') return std::string(home) + "/.config/vanturo";
    return "";
}
