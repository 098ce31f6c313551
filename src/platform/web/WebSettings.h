// The player's settings in a browser: the settings file lives in a folder kept in the browser's IndexedDB
// for the page's address, read back before the flight starts and stored again after every change.
#pragma once

#include <string>

namespace web {

// The folder the settings file is kept in.
std::string settingsFolder();
// Reads the kept folder back from the browser's storage, then calls start (at once if there is no storage).
void restoreSettings(void (*start)());
// Stores the folder again when the settings file changed since the last look; called after every pass.
void keepSettings();

}  // namespace web
