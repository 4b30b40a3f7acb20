#include "platform/source_manager_memory.h"

#include <gtest/gtest.h>

#include "common/host_memory.h"

namespace {

class SourceManagerMemoryTest : public ::testing::Test {
 protected:
  void TearDown() override { ForgetSourceManagerMemory(); }
};

TEST_F(SourceManagerMemoryTest, IncompleteEntryPointsAreRefusedAndTheKeptOnesStay) {
  TW_ENTRYPOINT manager = HostMemory::EntryPoint(nullptr);
  ASSERT_TRUE(KeepSourceManagerMemory(&manager));

  TW_ENTRYPOINT shortOne = HostMemory::EntryPoint(nullptr);
  shortOne.Size = sizeof(TW_ENTRYPOINT) - 1;
  TW_ENTRYPOINT noLock = HostMemory::EntryPoint(nullptr);
  noLock.DSM_MemLock = nullptr;
  TW_ENTRYPOINT noFree = HostMemory::EntryPoint(nullptr);
  noFree.DSM_MemFree = nullptr;
  EXPECT_FALSE(KeepSourceManagerMemory(nullptr));
  EXPECT_FALSE(KeepSourceManagerMemory(&shortOne));
  EXPECT_FALSE(KeepSourceManagerMemory(&noLock));
  EXPECT_FALSE(KeepSourceManagerMemory(&noFree));

  const TW_ENTRYPOINT* kept = SourceManagerMemory();
  ASSERT_NE(kept, nullptr);
  // Compared as values: under 2-byte packing the fields need not be aligned for a reference.
  EXPECT_TRUE(kept->DSM_MemLock == manager.DSM_MemLock);
  EXPECT_TRUE(kept->DSM_MemAllocate == manager.DSM_MemAllocate);
  ForgetSourceManagerMemory();
  EXPECT_EQ(SourceManagerMemory(), nullptr);
}

}  // namespace
