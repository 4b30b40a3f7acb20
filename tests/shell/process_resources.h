// What the process holds, read from the allocator and the kernel, so that tests can show that
// loading, unloading and tracing leave nothing behind.
#pragma once

#include <cstddef>

struct ProcessResources {
  size_t heapBytes;      // heap blocks in use
  int descriptors;       // open file descriptors
  int mappings;          // memory mappings
  int fileMappings;      // the mappings of files, images among them
  size_t residentBytes;  // resident set size
};

ProcessResources MeasureProcess();

// True when a sanitizer runtime owns the heap: it keeps bookkeeping of its own for every image
// loaded, and maps memory to hold freed blocks back for a while.
extern const bool kSanitizerOwnsTheHeap;

// Counts the heap allocations that any code in the process makes from the start to the stop.
void StartCountingAllocations();
long StopCountingAllocations();
