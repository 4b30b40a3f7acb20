// The memory of an application and its source manager: blocks made through the platform's memory
// manager, each remembered with its size and lock count so that what a data source hands back
// can be checked, and the entry points that give a data source the same memory.
#pragma once

#include <cstddef>

#include "twaintrace/twain_abi.h"

class HostMemory {
 public:
  HostMemory() = delete;

  // A zero-filled block of `size` bytes, or null.
  static TW_HANDLE Allocate(TW_UINT32 size);
  // Frees any block of the platform's memory manager, made here or not.
  static void Free(TW_HANDLE handle);
  static TW_MEMREF Lock(TW_HANDLE handle);
  static void Unlock(TW_HANDLE handle);

  // The size of a block made here, or of any block whose handle tells it; false otherwise.
  static bool Size(TW_HANDLE handle, size_t* size);
  // How often the block is locked now: counted here for blocks made here, unless the handle
  // keeps its own count.
  static int LockCount(TW_HANDLE handle);
  // How many blocks made here are not yet freed.
  static size_t LiveBlocks();

  // What DG_CONTROL/DAT_ENTRYPOINT/MSG_SET hands a data source: these memory functions and
  // `managerEntry` as the source manager's own entry.
  static TW_ENTRYPOINT EntryPoint(DSMENTRYPROC managerEntry);
};
