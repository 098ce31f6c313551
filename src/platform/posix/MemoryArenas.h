// The C library's memory arenas kept few, so that the driver's threads leave the process its address space.
#pragma once

namespace posix {

// glibc gives every thread that allocates an arena of its own, each reserving 64 MiB of address space: the
// software renderer's threads (one a core, up to 16) reserved a gigabyte and more that way, and under a limit
// on the address space (ulimit -v) its shader compiler then found no room and the process ended. Two arenas
// serve the game's one thread and the driver's alike. Call first thing in main, before any thread starts.
void keepMemoryArenasFew();

}  // namespace posix
