// The player's settings folder on freedesktop systems, for every shell but Win32.
#pragma once

#include <string>

namespace posix {
// The shell's settingsFolder (common/Shell.h): $XDG_CONFIG_HOME/vanturo, else ~/.config/vanturo; "" without a
// home to put it in.
std::string settingsFolder();
}  // namespace posix
