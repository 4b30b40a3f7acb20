#include "platform/cdsm_interface.h"

#include "platform/memory_handle.h"
#include "platform/source_manager_memory.h"

// Handles are the source manager's once it has handed over its memory functions; until then
// they are the platform's, which the Linux source manager's functions free and lock alike.

char** CDSMInterface::AllocMemory(unsigned int nSize) {
  if (const TW_ENTRYPOINT* manager = SourceManagerMemory()) return manager->DSM_MemAllocate(nSize);
  return NewMemoryHandle(nSize);
}

void CDSMInterface::FreeMemory(char** hMemory) {
  if (const TW_ENTRYPOINT* manager = SourceManagerMemory()) {
    manager->DSM_MemFree(hMemory);
    return;
  }
  DisposeMemoryHandle(hMemory);
}

// A handle the data source did not make may be the application's own, no larger than its
// master pointer: it is locked by reading that pointer alone, never a header it may not have.
char* CDSMInterface::LockMemory(char** hMemory) {
  if (const TW_ENTRYPOINT* manager = SourceManagerMemory()) {
    return static_cast<char*>(manager->DSM_MemLock(hMemory));
  }
  if (kLinuxSourceManagerAbi || MadeHere(hMemory)) return LockMemoryHandle(hMemory);
  return *hMemory;
}

void CDSMInterface::UnlockMemory(char** hMemory) {
  if (const TW_ENTRYPOINT* manager = SourceManagerMemory()) {
    manager->DSM_MemUnlock(hMemory);
    return;
  }
  if (kLinuxSourceManagerAbi || MadeHere(hMemory)) UnlockMemoryHandle(hMemory);
}

unsigned short CDSMInterface::NotifyRequest(unsigned short /*nMessage*/, TW_IDENTITY /*origin*/,
                                            TW_IDENTITY /*destination*/) {
  return 0;
}
