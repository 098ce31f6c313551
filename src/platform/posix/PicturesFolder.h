// The player's pictures folder on freedesktop systems, for every shell but Win32.
#pragma once

#include <string>

namespace posix {
// The shell's picturesFolder (common/Shell.h): XDG_PICTURES_DIR, else ~/Pictures, else the current folder.
std::string picturesFolder();
}  // namespace posix
