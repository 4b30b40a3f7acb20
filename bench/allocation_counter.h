// Counts the heap allocations of the whole benchmark process, the loaded data source and its
// bundle included, by standing in for the C library's allocator.
#pragma once

#include <cstdint>

// Allocations (malloc, calloc, realloc, aligned forms, and operator new through them) so far.
uint64_t AllocationCount();

// False in builds whose sanitizer owns the allocator; the count then stays 0.
bool AllocationsCounted();
