// For implementation bundles: the data source's memory interface (CDSMInterface), found at run
// time in the already loaded data source; or, for a bundle that also runs as a data source of
// its own, the memory functions of the source manager's entry points.
//
// A bundle must not link against TwainTrace.ds: the dependency would keep the data source loaded
// after the host unloads it, and its unload (which releases the bundle) would never run.
#pragma once

#include <dlfcn.h>

#include <cstring>

#if defined(__APPLE__)
#include <mach-o/dyld.h>
#endif

#include "twaintrace/twain_abi.h"

// The data source if it is loaded, opened once more without loading it (dlclose it after use);
// null when it is not loaded. On Linux the loader knows it by its soname; a macOS bundle's
// executable is known only by its path, which ends in the bundle's layout.
inline void* OpenLoadedDataSource() {
#if defined(__APPLE__)
  static const char kExecutable[] = "/TwainTrace.ds/Contents/MacOS/TwainTrace";
  const size_t suffix = sizeof(kExecutable) - 1;
  for (uint32_t index = 0, count = _dyld_image_count(); index < count; ++index) {
    const char* name = _dyld_get_image_name(index);
    size_t length = name != nullptr ? strlen(name) : 0;
    if (length >= suffix && strcmp(name + length - suffix, kExecutable) == 0) {
      return dlopen(name, RTLD_NOW | RTLD_NOLOAD);
    }
  }
  return nullptr;
#else
  return dlopen("TwainTrace.ds", RTLD_NOW | RTLD_NOLOAD);
#endif
}

class DataSourceMemory {
 public:
  // Finds the loaded data source; false when it is not loaded.
  bool Bind() {
    void* dataSource = OpenLoadedDataSource();
    if (dataSource == nullptr) return false;
    *this = DataSourceMemory();
    alloc_ = reinterpret_cast<AllocFn>(dlsym(dataSource, "_ZN13CDSMInterface11AllocMemoryEj"));
    free_ = reinterpret_cast<HandleFn>(dlsym(dataSource, "_ZN13CDSMInterface10FreeMemoryEPPc"));
    lock_ = reinterpret_cast<LockFn>(dlsym(dataSource, "_ZN13CDSMInterface10LockMemoryEPPc"));
    unlock_ = reinterpret_cast<HandleFn>(dlsym(dataSource, "_ZN13CDSMInterface12UnlockMemoryEPPc"));
    // The bundle lives inside the data source's lifetime, so the functions stay valid.
    dlclose(dataSource);
    return alloc_ != nullptr && free_ != nullptr && lock_ != nullptr && unlock_ != nullptr;
  }

  // Uses the memory functions of `entryPoint` (DG_CONTROL/DAT_ENTRYPOINT/MSG_SET); false, and
  // nothing changes, when the structure is short or lacks one of them.
  bool Bind(const TW_ENTRYPOINT& entryPoint) {
    if (entryPoint.Size < sizeof(TW_ENTRYPOINT) || entryPoint.DSM_MemAllocate == nullptr ||
        entryPoint.DSM_MemFree == nullptr || entryPoint.DSM_MemLock == nullptr ||
        entryPoint.DSM_MemUnlock == nullptr) {
      return false;
    }
    *this = DataSourceMemory();
    alloc_ = entryPoint.DSM_MemAllocate;
    free_ = entryPoint.DSM_MemFree;
    managerLock_ = entryPoint.DSM_MemLock;
    unlock_ = entryPoint.DSM_MemUnlock;
    return true;
  }

  char** AllocMemory(unsigned int size) const { return alloc_ != nullptr ? alloc_(size) : nullptr; }
  void FreeMemory(char** handle) const {
    if (free_ != nullptr) free_(handle);
  }
  char* LockMemory(char** handle) const {
    if (managerLock_ != nullptr) return static_cast<char*>(managerLock_(handle));
    return lock_ != nullptr ? lock_(handle) : nullptr;
  }
  void UnlockMemory(char** handle) const {
    if (unlock_ != nullptr) unlock_(handle);
  }

 private:
  using AllocFn = char** (*)(unsigned int);
  using HandleFn = void (*)(char**);
  using LockFn = char* (*)(char**);

  AllocFn alloc_ = nullptr;
  HandleFn free_ = nullptr;
  LockFn lock_ = nullptr;              // the data source's, which answers a data address
  DSM_MEMLOCK managerLock_ = nullptr;  // the source manager's, which answers a TW_MEMREF
  HandleFn unlock_ = nullptr;
};
