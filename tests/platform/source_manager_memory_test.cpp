#include "platform/source_manager_memory.h"

#include <gtest/gtest.h>

#include "common/host_memory.h"

namespace {

TEST(SourceManagerMemory, IncompleteEntryPointsAreRefusedAndTheKeptOnesStay) {
  TW_ENTRYPOINT manager = HostMemory::EntryPoint(nullptr);
  ASSERT_TRUE(KeepSourceManagerMemory(&manager));

  TW_ENTRYPOINT incomplete[3] = {manager, manager, manager};
  incomplete[0].Size = sizeof(TW_ENTRYPOINT) - 1;
  incomplete[1].DSM_MemLock = nullptr;
  incomplete[2].DSM_MemFree = nullptr;
  EXPECT_FALSE(KeepSourceManagerMemory(nullptr));
  for (TW_ENTRYPOINT& entryPoint : incomplete) EXPECT_FALSE(KeepSourceManagerMemory(&entryPoint));

  const TW_ENTRYPOINT* kept = SourceManagerMemory();
  ASSERT_NE(kept, nullptr);
  // Compared as values: under 2-byte packing the fields need not be aligned for a reference.
  EXPECT_TRUE(kept->DSM_MemLock == manager.DSM_MemLock);
  EXPECT_TRUE(kept->DSM_MemAllocate == manager.DSM_MemAllocate);
  ForgetSourceManagerMemory();
  EXPECT_EQ(SourceManagerMemory(), nullptr);
}

}  // namespace
