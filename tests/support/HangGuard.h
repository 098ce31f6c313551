// How long a test lets a program it runs take before it counts the run as hung: far beyond the slowest honest
// run (a flight under the sanitizers on a machine whose every core is busy four times over), so that only a
// hang ends a run, never a slow machine.
#pragma once

#include <string>

constexpr int hangGuardSeconds = 900;

// "timeout 900 ": a shell prefix that ends a hung program.
inline std::string hangGuard() { return "timeout " + std::to_string(hangGuardSeconds) + " "; }
