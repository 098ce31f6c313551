// The page's events, mapped to the game's input entry points: keys by their virtual-key codes (the browser's
// keyCode is the same number), the mouse against the canvas in pixels of its drawing buffer.
#pragma once

namespace web {

// Listens on the window (keys) and the canvas (the mouse). The first key or click also starts the sound.
void listenToPage();

}  // namespace web
