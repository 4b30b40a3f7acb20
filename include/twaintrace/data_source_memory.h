// For implementation bundles: the data source's memory interface (CDSMInterface), found at run
// time in the already loaded data source.
//
// A bundle must not link against TwainTrace.ds: the dependency would keep the data source loaded
// after the host unloads it, and its unload (which releases the bundle) would never run.
#pragma once

#include <dlfcn.h>

class DataSourceMemory {
 public:
  // Finds the loaded data source by its soname; false when it is not loaded.
  bool Bind() {
    void* dataSource = dlopen("TwainTrace.ds", RTLD_NOW | RTLD_NOLOAD);
    if (dataSource == nullptr) return false;
    alloc_ = reinterpret_cast<AllocFn>(dlsym(dataSource, "_ZN13CDSMInterface11AllocMemoryEj"));
    free_ = reinterpret_cast<HandleFn>(dlsym(dataSource, "_ZN13CDSMInterface10FreeMemoryEPPc"));
    lock_ = reinterpret_cast<LockFn>(dlsym(dataSource, "_ZN13CDSMInterface10LockMemoryEPPc"));
    unlock_ = reinterpret_cast<HandleFn>(dlsym(dataSource, "_ZN13CDSMInterface12UnlockMemoryEPPc"));
    // The bundle lives inside the data source's lifetime, so the functions stay valid.
    dlclose(dataSource);
    return alloc_ != nullptr && free_ != nullptr && lock_ != nullptr && unlock_ != nullptr;
  }

  char** AllocMemory(unsigned int size) const { return alloc_ != nullptr ? alloc_(size) : nullptr; }
  void FreeMemory(char** handle) const {
    if (free_ != nullptr) free_(handle);
  }
  char* LockMemory(char** handle) const { return lock_ != nullptr ? lock_(handle) : nullptr; }
  void UnlockMemory(char** handle) const {
    if (unlock_ != nullptr) unlock_(handle);
  }

 private:
  using AllocFn = char** (*)(unsigned int);
  using HandleFn = void (*)(char**);
  using LockFn = char* (*)(char**);

  AllocFn alloc_ = nullptr;
  HandleFn free_ = nullptr;
  LockFn lock_ = nullptr;
  HandleFn unlock_ = nullptr;
};
