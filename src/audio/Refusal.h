// How every sound reader gives up: one line saying why, for a caller that asked for it, and false.
#pragma once

#include <string>

inline bool refuse(std::string* refusal, const std::string& why) {
    if (refusal) *refusal = why;
    return false;
}
