#pragma once
// The process's private memory as the operating system counts it, to compare
// before and after many editor lifetimes. Under Wine, Windows' own counters
// see only the Windows side of the address space and answer 0 for private
// usage, while Wine's Unix side (its window and GL drivers, Mesa, Xlib)
// allocates on the Unix heap; so there it is Linux's count of the process's
// private pages (Private_Clean + Private_Dirty of /proc/self/smaps_rollup,
// read through Wine's Z: drive). On Windows it is PrivateUsage.
#include <cstddef>

// Bytes; 0 when neither count can be read.
size_t privateMemoryBytes();
