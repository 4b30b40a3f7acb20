// Relocatable memory blocks reached through handles, as the source manager of this build's
// binary interface makes them.
//
// Natural interface: a handle points at a master pointer, which points at the block's data;
// blocks made here record their size and lock count, so readers can bound reads, and are told
// from other makers' handles without reading the other handles' memory.
// Linux source manager: a handle is the data address of a C heap block (what that manager's own
// memory functions make and free), so blocks made here and there are interchangeable; nothing
// records a block's size or its locks.
#pragma once

#include <cstddef>

#include "twaintrace/twain_abi.h"

// Whether a handle made here can tell its block's size and lock count.
inline constexpr bool kHandlesKnowTheirBlock = !kLinuxSourceManagerAbi;

// These operations trust their handle to be the platform's, as the platform's memory manager
// does: on the natural interface they read the block's header.

// A zero-filled block of `size` bytes, or null when it cannot be allocated.
char** NewMemoryHandle(size_t size);
void DisposeMemoryHandle(char** handle);

// The block's data address. Blocks never move on this platform; the natural lock count is kept
// so that pairing can be checked.
char* LockMemoryHandle(char** handle);
void UnlockMemoryHandle(char** handle);

#if !TWAINTRACE_ABI_LINUX_DSM
int MemoryHandleLockCount(char** handle);
#endif

// Whether a reader that locks the block and unlocks it again must leave out the unlock to leave
// the block as it found it: where the lock is one bit and the block's owner had set it. A lock
// count is left as found by a lock and an unlock, so this is false wherever locks are counted.
bool LockedByItsOwner(char** handle);

// The block's size in bytes; false for a handle that was not made by NewMemoryHandle, and for
// every handle of the Linux source manager.
bool MemoryHandleSize(char** handle, size_t* size);

// Whether `handle` is a live block made by NewMemoryHandle in this image, told without reading
// the handle's memory; always false for the Linux source manager's handles, which carry nothing
// to tell. Only such a handle may be given to the header-reading operations by a reader that
// cannot vouch for its handle, as the analyzer cannot for the application's.
bool MadeHere(char** handle);
