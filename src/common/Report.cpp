// The program's name before every line it says about a problem.
#include "common/Report.h"

#include <cstdio>

namespace {
const char* name = "vanturo";
}

void setProgramName(const char* programName) { name = programName; }

const char* programName() { return name; }

void reportError(const std::string& message) {
    std::fprintf(stderr, "%s: %s\n", name, message.c_str());
    std::fflush(stderr);
}
