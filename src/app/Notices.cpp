// The notices' texts, made from the keys bound now.
#include "app/Notices.h"

#include "app/KeyTable.h"
#include "app/Settings.h"

namespace {
std::string keyOf(KeyAction action) { return keyLabel(keyCode(action)); }
}  // namespace

std::string leftWorldNotice() {
    return "You have left the world. Press " + keyOf(KeyAction::flyAgain) + " to fly again.";
}
std::string pausedNotice() { return "Paused. Press " + keyOf(KeyAction::pause) + " to fly on."; }
std::string soundOffNotice() { return "Sound off. Press " + keyOf(KeyAction::mute) + " for sound."; }
std::string helpHint() { return keyOf(KeyAction::help) + ": keys"; }
std::string steeringHint() { return "Move the mouse: left and right steer, up and down move the camera"; }
