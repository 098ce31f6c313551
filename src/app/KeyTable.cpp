// The keys' names, as the player reads and writes them.
#include "app/KeyTable.h"

#include <cctype>

namespace {
// Keys named by a word, as the shells deliver them (Windows' virtual-key codes).
const struct {
    int code;
    const char* label;
} namedKeys[] = {
    {vkLeftButton, "a left click"},
    {vkBack, "Backspace"},
    {0x09, "Tab"},
    {vkReturn, "Enter"},
    {0x10, "Shift"},
    {0x11, "Ctrl"},
    {0x13, "Pause"},
    {0x14, "Caps Lock"},
    {vkEscape, "Escape"},
    {0x20, "Space"},
    {0x21, "Page Up"},
    {0x22, "Page Down"},
    {0x23, "End"},
    {0x24, "Home"},
    {vkLeft, "Left"},
    {vkUp, "Up"},
    {vkRight, "Right"},
    {vkDown, "Down"},
    {0x2D, "Insert"},
    {0x2E, "Delete"},
};
constexpr int vkNumpad0 = 0x60;
}  // namespace

std::string keyLabel(int code) {
    if ((code >= '0' && code <= '9') || (code >= 'A' && code <= 'Z')) return std::string(1, char(code));
    if (code >= vkF1 && code <= vkF12) return "F" + std::to_string(code - vkF1 + 1);
    if (code >= vkNumpad0 && code <= vkNumpad0 + 9) return "Numpad " + std::to_string(code - vkNumpad0);
    for (const auto& key : namedKeys)
        if (key.code == code) return key.label;
    return "key " + std::to_string(code);
}

int keyFromLabel(const std::string& label) {
    std::string upper = label;
    for (char& c : upper) c = char(std::toupper(static_cast<unsigned char>(c)));
    for (int code = 1; code < keyCodeCount; ++code) {
        std::string name = keyLabel(code);
        for (char& c : name) c = char(std::toupper(static_cast<unsigned char>(c)));
        if (name == upper) return code;
    }
    return -1;
}
