#pragma once
// Counts every heap allocation the process makes (operator new and malloc
// alike), so a benchmark can report allocations per iteration.
#include <cstdint>

uint64_t heapAllocations();
