#include "platform/memory_handle.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/cdsm_interface.h"

namespace {

// The data source's memory interface and the platform's reach the same zero-filled block (its
// size and the host's use of it: the data source's lifecycle and capability tests). The Linux
// source manager's handle is the data address of a C heap block; the natural handle counts its
// locks through either interface, never below zero.
TEST(MemoryHandle, ZeroFilledBlockIsTheSameThroughEitherInterface) {
  char** handle = CDSMInterface::AllocMemory(16);
  ASSERT_NE(handle, nullptr);
  char* data = CDSMInterface::LockMemory(handle);
  EXPECT_EQ(data, kLinuxSourceManagerAbi ? reinterpret_cast<char*>(handle) : *handle);
  for (int i = 0; i < 16; ++i) EXPECT_EQ(data[i], 0);
#if !TWAINTRACE_ABI_LINUX_DSM
  EXPECT_EQ(MemoryHandleLockCount(handle), 1);
  UnlockMemoryHandle(handle);
  CDSMInterface::UnlockMemory(handle);
  EXPECT_EQ(MemoryHandleLockCount(handle), 0);
  CDSMInterface::FreeMemory(handle);
#else
  free(handle);  // as the source manager's own free does
#endif
  size_t size = 1;
  EXPECT_FALSE(MemoryHandleSize(nullptr, &size));
}

// No size is told for an empty block on macOS, whose Memory Manager answers none, nor for a
// handle made elsewhere (asking the Memory Manager about one is undefined, so not there). An
// empty block is still a block: null would mean that memory ran out.
TEST(MemoryHandle, EmptyOrForeignBlockHasNoKnownSize) {
  char** empty = NewMemoryHandle(0);
  ASSERT_NE(empty, nullptr);
  size_t size = 1;
#if defined(__APPLE__)
  EXPECT_FALSE(MemoryHandleSize(empty, &size));
#else
  char block[64] = {};
  char* handleWords[4] = {block, nullptr, nullptr, nullptr};
  EXPECT_FALSE(MemoryHandleSize(handleWords, &size));
#endif
  DisposeMemoryHandle(empty);
}

}  // namespace
