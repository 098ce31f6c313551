// The C library's memory arenas, kept few.
#include "MemoryArenas.h"

#include <cstdlib>  // names the C library (__GLIBC__)

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace {
constexpr int arenas = 2;
}  // namespace

void posix::keepMemoryArenasFew() {
#if defined(__GLIBC__)
    mallopt(M_ARENA_MAX, arenas);
#endif
}
