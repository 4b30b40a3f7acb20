// Relocatable memory blocks reached through handles: a handle points at a master pointer, which
// points at the block's data. Blocks made here record their size, so readers can bound reads.
#pragma once

#include <cstddef>

// A zero-filled block of `size` bytes, or null when it cannot be allocated.
char** NewMemoryHandle(size_t size);
void DisposeMemoryHandle(char** handle);

// Blocks never move on this platform; the lock count is kept so that pairing can be checked.
char* LockMemoryHandle(char** handle);
void UnlockMemoryHandle(char** handle);
int MemoryHandleLockCount(char** handle);

// The block's size in bytes; false for a handle that was not made by NewMemoryHandle.
bool MemoryHandleSize(char** handle, size_t* size);
