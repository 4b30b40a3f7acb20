#include "platform/memory_handle.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/cdsm_interface.h"

namespace {

#if TWAINTRACE_ABI_LINUX_DSM

// The Linux source manager's handle is the data address of a C heap block, so the blocks made
// here and the ones its memory functions make are freed and locked alike.
TEST(MemoryHandle, HandleIsTheDataAddressOfAZeroFilledHeapBlock) {
  char** handle = CDSMInterface::AllocMemory(16);
  ASSERT_NE(handle, nullptr);
  char* data = CDSMInterface::LockMemory(handle);
  EXPECT_EQ(data, reinterpret_cast<char*>(handle));
  for (int i = 0; i < 16; ++i) EXPECT_EQ(data[i], 0);
  data[15] = 'x';
  CDSMInterface::UnlockMemory(handle);
  EXPECT_EQ(LockMemoryHandle(handle)[15], 'x');
  UnlockMemoryHandle(handle);
  size_t size = 1;
  EXPECT_FALSE(MemoryHandleSize(handle, &size));
  free(handle);  // as the source manager's own free does

  char** empty = NewMemoryHandle(0);
  EXPECT_NE(empty, nullptr);  // null would mean that memory ran out
  DisposeMemoryHandle(empty);
}

#else

TEST(MemoryHandle, ZeroFilledBlockKnowsItsSizeAndPairsItsLocks) {
  char** handle = CDSMInterface::AllocMemory(16);
  ASSERT_NE(handle, nullptr);
  char* data = CDSMInterface::LockMemory(handle);
  EXPECT_EQ(data, *handle);
  for (int i = 0; i < 16; ++i) EXPECT_EQ(data[i], 0);
  size_t size = 0;
  EXPECT_TRUE(MemoryHandleSize(handle, &size));
  EXPECT_EQ(size, 16u);
  data[0] = 'x';
  EXPECT_EQ(MemoryHandleLockCount(handle), 1);
  CDSMInterface::UnlockMemory(handle);
  UnlockMemoryHandle(handle);  // an unbalanced unlock does not go negative
  EXPECT_EQ(MemoryHandleLockCount(handle), 0);
  EXPECT_EQ(LockMemoryHandle(handle)[0], 'x');
  UnlockMemoryHandle(handle);
  CDSMInterface::FreeMemory(handle);
  EXPECT_FALSE(MemoryHandleSize(nullptr, &size));
}

#if defined(__APPLE__)

// Every handle on macOS is the Memory Manager's, which answers no size for an empty block.
TEST(MemoryHandle, EmptyBlockHasNoKnownSize) {
  char** handle = NewMemoryHandle(0);
  ASSERT_NE(handle, nullptr);
  size_t size = 1;
  EXPECT_FALSE(MemoryHandleSize(handle, &size));
  DisposeMemoryHandle(handle);
}

#else

// Not on macOS, where asking the Memory Manager about a block it did not make is undefined.
TEST(MemoryHandle, ForeignHandleHasNoKnownSize) {
  char block[64] = {};
  char* handleWords[4] = {block, nullptr, nullptr, nullptr};
  size_t size = 1;
  EXPECT_FALSE(MemoryHandleSize(handleWords, &size));
}

#endif

#endif

}  // namespace
