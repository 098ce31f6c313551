// The keys' names and the F1 help made from the key table.
#include "app/KeyTable.h"

#include <algorithm>

std::string keyLabel(int code) {
    if ((code >= '0' && code <= '9') || (code >= 'A' && code <= 'Z')) return std::string(1, char(code));
    if (code >= vkF1 && code <= vkF12) return "F" + std::to_string(code - vkF1 + 1);
    switch (code) {
        case vkLeftButton: return "a left click";
        case vkReturn: return "Enter";
        case vkEscape: return "Escape";
        default: return "key " + std::to_string(code);
    }
}

std::vector<std::string> helpLines() {
    std::vector<std::string> lines = {"Mouse left and right: steer", "Mouse up and down: camera low or high"};
    const size_t first = lines.size();
    for (const KeyRow& row : keyTable) {
        const size_t at = first + size_t(row.helpLine);
        if (lines.size() <= at) lines.resize(at + 1);
        std::string& line = lines[at];
        if (!line.empty()) line += "      ";
        line += keyLabel(row.code) + (*row.also ? std::string(" or ") + row.also : "") + ": " + row.help;
    }
    lines.erase(std::remove(lines.begin(), lines.end(), std::string()), lines.end());
    return lines;
}
