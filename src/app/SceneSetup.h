// Start-up's last step, once the window's GL context is current.
#pragma once

// Looks up the multitexture entry points, loads the level's files and sets the fixed render state. Needs
// the GL context current. False (said why) when the driver has no multitexturing: the game cannot start.
bool setupScene();
