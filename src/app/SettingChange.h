// A setting the player changes while playing (M, F11, Alt+Enter, the settings screen): one path for all of them.
#pragma once

#include <cstddef>
#include <string>

// Takes text as the value of the setting at index, puts it into effect at once (the sound, the whole screen, the
// window's size, the refresh wait; a setting of the flight is recorded in a demo being made) and saves it to the
// settings file (not while a demo plays: the flight is the demo's, not the player's). "" when taken, else what is
// wrong with the value, or why it cannot take effect here (nothing changes, nothing is saved).
std::string changeSetting(size_t index, const std::string& text);

// Alt+Enter, which a shell catches itself, and the fullscreen key: the whole screen or the window, and saved;
// "" when done, else why it cannot be.
std::string onFullscreenToggle();
