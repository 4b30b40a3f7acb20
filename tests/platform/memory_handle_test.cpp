#include "platform/memory_handle.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/cdsm_interface.h"

namespace {

// The data source's memory interface and the platform's reach the same zero-filled block. The
// Linux source manager's handle is the data address of a C heap block, so the blocks made here
// and the ones its memory functions make are freed and locked alike; the natural handle knows
// its block's size and counts its locks, never below zero.
TEST(MemoryHandle, ZeroFilledBlockIsTheSameThroughEitherInterface) {
  char** handle = CDSMInterface::AllocMemory(16);
  ASSERT_NE(handle, nullptr);
  char* data = CDSMInterface::LockMemory(handle);
  EXPECT_EQ(data, kLinuxSourceManagerAbi ? reinterpret_cast<char*>(handle) : *handle);
  for (int i = 0; i < 16; ++i) EXPECT_EQ(data[i], 0);
  data[15] = 'x';
#if !TWAINTRACE_ABI_LINUX_DSM
  EXPECT_EQ(MemoryHandleLockCount(handle), 1);
  UnlockMemoryHandle(handle);
#endif
  CDSMInterface::UnlockMemory(handle);
#if !TWAINTRACE_ABI_LINUX_DSM
  EXPECT_EQ(MemoryHandleLockCount(handle), 0);
#endif
  EXPECT_EQ(LockMemoryHandle(handle)[15], 'x');
  UnlockMemoryHandle(handle);
  size_t size = 1;
  EXPECT_EQ(MemoryHandleSize(handle, &size), kHandlesKnowTheirBlock);
  EXPECT_EQ(size, kHandlesKnowTheirBlock ? 16u : 1u);
  if (kLinuxSourceManagerAbi) {
    free(handle);  // as the source manager's own free does
  } else {
    CDSMInterface::FreeMemory(handle);
  }
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
