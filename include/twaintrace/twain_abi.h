// What differs between the two binary interfaces this code builds for, and the source manager's
// entry points, which it hands a data source with DG_CONTROL/DAT_ENTRYPOINT/MSG_SET before
// opening it: its own entry and the four memory functions with which handles are made, freed,
// locked and unlocked.
//
// Under the Linux source manager a handle is the block's data address itself, typed TW_HANDLE
// like any other: the lock function gives it back unchanged, it must never be dereferenced as a
// master pointer, and nothing about it tells the block's size.
#pragma once

#include <cstddef>
#include <cstdint>
#include <type_traits>

#include "twaintrace/twain_types.h"

inline constexpr TW_UINT16 DAT_ENTRYPOINT = twain25::DAT_ENTRYPOINT;

// True when this build shares its memory with the Linux source manager.
#if TWAINTRACE_ABI_LINUX_DSM
inline constexpr bool kLinuxSourceManagerAbi = true;
#else
inline constexpr bool kLinuxSourceManagerAbi = false;
#endif

typedef TW_UINT16 (*DSMENTRYPROC)(TW_IDENTITY* pOrigin, TW_IDENTITY* pDest, TW_UINT32 DG,
                                  TW_UINT16 DAT, TW_UINT16 MSG, TW_MEMREF pData);
typedef TW_HANDLE (*DSM_MEMALLOCATE)(TW_UINT32 size);
typedef void (*DSM_MEMFREE)(TW_HANDLE handle);
typedef TW_MEMREF (*DSM_MEMLOCK)(TW_HANDLE handle);
typedef void (*DSM_MEMUNLOCK)(TW_HANDLE handle);

#if TWAINTRACE_ABI_LINUX_DSM
#pragma pack(push, 2)
#endif

struct TW_ENTRYPOINT {
  TW_UINT32 Size;  // sizeof(TW_ENTRYPOINT), as the source manager knows it
  DSMENTRYPROC DSM_Entry;
  DSM_MEMALLOCATE DSM_MemAllocate;
  DSM_MEMFREE DSM_MemFree;
  DSM_MEMLOCK DSM_MemLock;
  DSM_MEMUNLOCK DSM_MemUnlock;
};

#if TWAINTRACE_ABI_LINUX_DSM
#pragma pack(pop)
#endif

#if TWAINTRACE_ABI_LINUX_DSM
static_assert(sizeof(TW_ENTRYPOINT) == 44);
static_assert(offsetof(TW_ENTRYPOINT, Size) == 0);
static_assert(offsetof(TW_ENTRYPOINT, DSM_Entry) == 4);
static_assert(offsetof(TW_ENTRYPOINT, DSM_MemAllocate) == 12);
static_assert(offsetof(TW_ENTRYPOINT, DSM_MemFree) == 20);
static_assert(offsetof(TW_ENTRYPOINT, DSM_MemLock) == 28);
static_assert(offsetof(TW_ENTRYPOINT, DSM_MemUnlock) == 36);
#else
static_assert(sizeof(TW_ENTRYPOINT) == 48);
static_assert(offsetof(TW_ENTRYPOINT, Size) == 0);
static_assert(offsetof(TW_ENTRYPOINT, DSM_Entry) == 8);
static_assert(offsetof(TW_ENTRYPOINT, DSM_MemAllocate) == 16);
static_assert(offsetof(TW_ENTRYPOINT, DSM_MemFree) == 24);
static_assert(offsetof(TW_ENTRYPOINT, DSM_MemLock) == 32);
static_assert(offsetof(TW_ENTRYPOINT, DSM_MemUnlock) == 40);
#endif

// An identity Id from a number, whether the Id is pointer-sized or the Linux 32-bit one.
template <typename Id = TW_IDENTITY_ID>
Id IdentityIdFrom(uintptr_t value) {
  if constexpr (std::is_pointer_v<Id>) {
    return reinterpret_cast<Id>(value);
  } else {
    return static_cast<Id>(value);
  }
}

// The number an identity Id carries.
template <typename Id>
uintptr_t IdentityIdValue(Id id) {
  if constexpr (std::is_pointer_v<Id>) {
    return reinterpret_cast<uintptr_t>(id);
  } else {
    return id;
  }
}
