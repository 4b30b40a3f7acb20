// Handles of the Memory Manager, which the source manager and applications on macOS use for
// every TWAIN handle: the block knows its own size, so every read can be bounded by it.
#include "platform/memory_handle.h"

#include <climits>

#include "platform/macos/apple_services.h"

// Some of these calls carry deprecation marks in newer SDKs; they are the platform's TWAIN
// memory all the same, and stay available.
#pragma clang diagnostic ignored "-Wdeprecated-declarations"

char** NewMemoryHandle(size_t size) {
  if (size > static_cast<size_t>(LONG_MAX)) return nullptr;
  return NewHandleClear(static_cast<Size>(size));
}

void DisposeMemoryHandle(char** handle) {
  if (handle != nullptr) DisposeHandle(handle);
}

// The data address is read only once the block is locked, since an unlocked block may move.
char* LockMemoryHandle(char** handle) {
  if (handle == nullptr) return nullptr;
  HLock(handle);
  return *handle;
}

void UnlockMemoryHandle(char** handle) {
  if (handle != nullptr) HUnlock(handle);
}

// The Memory Manager keeps one lock bit, not a count.
int MemoryHandleLockCount(char** handle) {
  if (handle == nullptr) return 0;
  return (HGetState(handle) & kHandleLockedBit) != 0 ? 1 : 0;
}

// The Memory Manager's lock is one bit: an unlock after a lock would clear the owner's.
bool LockedByItsOwner(char** handle) {
  return handle != nullptr && (HGetState(handle) & kHandleLockedBit) != 0;
}

// Every handle here is the Memory Manager's, so its answer is the block's whole known size. A
// size of 0 or less (an empty block, or a handle it cannot account for: 0 now, a negative error
// in early Memory Managers) means that no byte of the block is known to be there, and readers
// must read none: never the fallback limit meant for handles that tell no size at all.
bool MemoryHandleSize(char** handle, size_t* size) {
  if (handle == nullptr) return false;
  Size bytes = GetHandleSize(handle);
  *size = bytes > 0 ? static_cast<size_t>(bytes) : 0;
  return true;
}

// Every handle on this platform is the Memory Manager's, whose size GetHandleSize answers.
bool MadeHere(char** handle) {
  return handle != nullptr;
}
