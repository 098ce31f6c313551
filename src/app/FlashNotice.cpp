// The notice of a few seconds.
#include "app/FlashNotice.h"

namespace {
std::string text;
float leftMs = 0;
const std::string none;
}  // namespace

void flashNotice(const std::string& shown, float ms) {
    text = shown;
    leftMs = ms;
}

const std::string& flashNoticeText() { return leftMs > 0 ? text : none; }

void ageFlashNotice(float ms) { leftMs = leftMs > ms ? leftMs - ms : 0; }

void clearFlashNotice() { leftMs = 0; }
