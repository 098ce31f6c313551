// The help's lines, made from the key table and the keys the settings bind.
#include "app/KeyHelp.h"

#include <algorithm>

#include "app/KeyTable.h"
#include "app/Settings.h"

std::vector<std::string> helpLines() {
    std::vector<std::string> lines = {"Mouse left and right: steer", "Mouse up and down: camera low or high"};
    const size_t first = lines.size();
    for (const KeyRow& row : keyTable) {
        const size_t at = first + size_t(row.helpLine);
        if (lines.size() <= at) lines.resize(at + 1);
        std::string& line = lines[at];
        if (!line.empty()) line += "      ";
        line += keyLabel(keyCode(row.action)) + (*row.also ? std::string(" or ") + row.also : "") + ": " + row.help;
    }
    lines.erase(std::remove(lines.begin(), lines.end(), std::string()), lines.end());
    return lines;
}
