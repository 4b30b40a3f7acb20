// The memory operations the data source needs on the source manager's handles.
#pragma once

#include "platform/visibility.h"
#include "twaintrace/twain_types.h"

class TWAINTRACE_EXPORT CDSMInterface {
 public:
  CDSMInterface() = delete;

  // A zero-filled block of `nSize` bytes, or null.
  static char** AllocMemory(unsigned int nSize);
  static void FreeMemory(char** hMemory);
  // The block's data address, fixed until UnlockMemory. The handle must not be null.
  static char* LockMemory(char** hMemory);
  static void UnlockMemory(char** hMemory);
  static unsigned short NotifyRequest(unsigned short nMessage, TW_IDENTITY origin,
                                      TW_IDENTITY destination);
};
