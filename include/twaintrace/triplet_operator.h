// The contract between the TwainTrace data source and a scanner maker's implementation bundle.
//
// The bundle lives at <bundle>/Contents/MacOS/<bundle name without ".bundle">, exports the
// factory "CreateHalvern" with C linkage, and hands back a TripletOperator that executes every
// TWAIN triplet the data source receives.
#pragma once

#include "twaintrace/twain_types.h"

// The operator is reached through its table of virtual operations, so the slot order is the
// binary interface: two unused slots, ProcessTriplet, one unused slot, Release. No virtual
// destructor, since one would shift the slots.
class TripletOperator {
 public:
  virtual void Reserved1() = 0;
  virtual void Reserved2() = 0;
  // Executes one triplet with the DS_Entry arguments as received, and has finished with pData
  // (filled in whatever the triplet returns) when it returns.
  virtual TW_UINT16 ProcessTriplet(TW_IDENTITY* pOrigin, TW_UINT32 DG, TW_UINT16 DAT, TW_UINT16 MSG,
                                   TW_MEMREF pData) = 0;
  virtual void Reserved4() = 0;
  // Called once, at unload; the operator disposes of itself and ends all its work here.
  virtual void Release() = 0;

 protected:
  ~TripletOperator() = default;
};

// The data source's executable file name as the factory receives it; valid only during the
// call, so a factory that keeps it copies it (or, on macOS, retains it).
#if defined(__APPLE__)
// macOS: CoreFoundation's CFStringRef, released by the data source right after the call.
typedef const struct __CFString* ExecutableFileNameRef;
#else
// Elsewhere: a NUL-terminated byte string.
typedef const char* ExecutableFileNameRef;
#endif

// Called once per load with the data source's executable file name and the place that
// receives the operator. Any result is ignored.
extern "C" typedef void (*CreateHalvernFn)(ExecutableFileNameRef executableFileName,
                                           TripletOperator** out);

#define TWAINTRACE_FACTORY_NAME "CreateHalvern"
