#include "platform/source_manager_memory.h"

#include <gtest/gtest.h>

#include "common/host_memory.h"
#include "shell/cdsm_interface.h"

namespace {

class SourceManagerMemoryTest : public ::testing::Test {
 protected:
  void TearDown() override { ForgetSourceManagerMemory(); }
};

TEST_F(SourceManagerMemoryTest, DataSourceMemoryIsTheManagersOnceHandedOver) {
  const size_t blocksBefore = HostMemory::LiveBlocks();
  char** own = CDSMInterface::AllocMemory(8);
  EXPECT_EQ(HostMemory::LiveBlocks(), blocksBefore);  // the platform's, before the hand-over
  CDSMInterface::FreeMemory(own);

  TW_ENTRYPOINT manager = HostMemory::EntryPoint(nullptr);
  ASSERT_TRUE(KeepSourceManagerMemory(&manager));
  char** handle = CDSMInterface::AllocMemory(24);
  EXPECT_EQ(HostMemory::LiveBlocks(), blocksBefore + 1);
  size_t size = 0;
  ASSERT_TRUE(HostMemory::Size(handle, &size));
  EXPECT_EQ(size, 24u);
  char* data = CDSMInterface::LockMemory(handle);
  EXPECT_EQ(data, HostMemory::Lock(handle));
  EXPECT_EQ(HostMemory::LockCount(handle), 2);
  HostMemory::Unlock(handle);
  CDSMInterface::UnlockMemory(handle);
  EXPECT_EQ(HostMemory::LockCount(handle), 0);
  CDSMInterface::FreeMemory(handle);
  EXPECT_EQ(HostMemory::LiveBlocks(), blocksBefore);

  ForgetSourceManagerMemory();
  EXPECT_EQ(SourceManagerMemory(), nullptr);
}

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
  EXPECT_EQ(kept->DSM_MemLock, manager.DSM_MemLock);
  EXPECT_EQ(kept->DSM_MemAllocate, manager.DSM_MemAllocate);
}

}  // namespace
