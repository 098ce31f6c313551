// A notice that shows over the view for a few seconds and goes: what M did to the sound, where F12 put its
// picture, why a setting could not take effect. The latest replaces the one before.
#pragma once

#include <string>

constexpr float flashNoticeMs = 3000;

void flashNotice(const std::string& text, float ms = flashNoticeMs);
// The notice showing now, "" for none.
const std::string& flashNoticeText();
// Time passes for it: a frame of this many milliseconds.
void ageFlashNotice(float ms);
void clearFlashNotice();
