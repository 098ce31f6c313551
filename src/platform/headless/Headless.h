// The headless shell: an offscreen GL context and a virtual tick counter, for tests and tools.
#pragma once

#include "sim/VirtualClock.h"  // its tick counter

struct Shell;

namespace headless {

// The shell's services (common/Shell.h): its openWindow makes the context below.
const Shell& shell();

// Creates an 800 by 600 (or the given size) pbuffer context on Mesa's software renderer and makes it
// current. Returns false when no such context can be had.
bool createContext(int width = 800, int height = 600);
void destroyContext();

}  // namespace headless
