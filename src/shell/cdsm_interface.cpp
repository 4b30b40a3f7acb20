#include "shell/cdsm_interface.h"

#include "platform/memory_handle.h"

char** CDSMInterface::AllocMemory(unsigned int nSize) {
  return NewMemoryHandle(nSize);
}

void CDSMInterface::FreeMemory(char** hMemory) {
  DisposeMemoryHandle(hMemory);
}

char* CDSMInterface::LockMemory(char** hMemory) {
  return LockMemoryHandle(hMemory);
}

void CDSMInterface::UnlockMemory(char** hMemory) {
  UnlockMemoryHandle(hMemory);
}

unsigned short CDSMInterface::NotifyRequest(unsigned short /*nMessage*/, TW_IDENTITY /*origin*/,
                                            TW_IDENTITY /*destination*/) {
  return 0;
}
