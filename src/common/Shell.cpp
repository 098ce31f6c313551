// The shell every platform service comes from.
#include "common/Shell.h"

#include <cassert>

namespace {
const Shell* current = nullptr;
}  // namespace

void useShell(const Shell& chosen) { current = &chosen; }

const Shell& shell() {
    assert(current && "call useShell first thing in main");
    return *current;
}

const Shell* shellIfAny() { return current; }
