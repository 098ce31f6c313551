// The F1 help: the mouse and every key as bound now, laid out on the lines the key table gives them.
#pragma once

#include <string>
#include <vector>

// What F1 shows over the view, a line each: the mouse's two axes, then the keys' lines.
std::vector<std::string> helpLines();
