// The notices the game writes over the view, in the player's words: each names the key bound now, so a player
// who moved pause to O reads "Press O".
#pragma once

#include <string>

std::string leftWorldNotice();  // "You have left the world. Press Enter to fly again."
std::string pausedNotice();     // "Paused. Press P to fly on."
std::string soundOffNotice();   // "Sound off. Press M for sound."
std::string helpHint();         // "F1: keys", in the still frames at the start
// Over it in those frames, until the player first steers: how the mouse flies the ship.
std::string steeringHint();
