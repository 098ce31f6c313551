// The program's name before every line it says about a problem, and the failure box where there is one.
#include "common/Report.h"

#include <cstdio>

#include "common/Shell.h"

namespace {
const char* name = "vanturo";
std::string lastError;

void say(const std::string& message) {
    std::fprintf(stderr, "%s: %s\n", name, message.c_str());
    std::fflush(stderr);
}
}  // namespace

void setProgramName(const char* programName) { name = programName; }

const char* programName() { return name; }

void reportError(const std::string& message) {
    lastError = message;
    say(message);
}

const std::string& lastReportedError() { return lastError; }

void reportNote(const std::string& message) { say(message); }

std::string shortPath(const std::string& path) {
    constexpr size_t longest = 160, head = 60, tail = 97;
    return path.size() <= longest ? path : path.substr(0, head) + "..." + path.substr(path.size() - tail);
}

void reportRefusal(const std::string& path, const std::string& why) { reportError(shortPath(path) + ": " + why); }

int reportFailure(const std::string& message, int code) {
    reportError(message);
    if (const Shell* platform = shellIfAny()) platform->showFailureBox(message);
    return code;
}
