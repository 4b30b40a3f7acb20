// The sample bundle's executable as a data source of its own: loaded directly by a source
// manager, without a tracing data source in the process, it makes its memory through the
// platform's memory manager until the source manager hands over its own.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <cstring>

#include "common/host_memory.h"
#include "platform/memory_handle.h"
#include "tools/sample_source.h"
#include "twaintrace/twain_abi.h"

namespace {

// The sample's executable loaded directly; the container of the pixel types on offer, which the
// caller frees.
TW_HANDLE PixelTypes(EntryLibrary& sample) {
  TW_CAPABILITY capability{ICAP_PIXELTYPE, TWON_DONTCARE16, nullptr};
  EXPECT_EQ(sample.Call(DG_CONTROL, DAT_CAPABILITY, MSG_GET, &capability), TWRC_SUCCESS);
  EXPECT_EQ(TW_UINT16{capability.ConType}, TWON_ENUMERATION);
  return capability.hContainer;
}

constexpr size_t kPixelTypesSize = offsetof(TW_ENUMERATION, ItemList) + 3 * sizeof(TW_UINT16);

// The item type and count of an enumeration, copied out of its container (whose fields need not
// be aligned).
struct Enumeration {
  TW_UINT16 itemType;
  TW_UINT32 numItems;
};

Enumeration EnumerationIn(TW_HANDLE container) {
  TW_ENUMERATION header{};
  memcpy(&header, HostMemory::Lock(container), offsetof(TW_ENUMERATION, ItemList));
  HostMemory::Unlock(container);
  return {header.ItemType, header.NumItems};
}

TEST(SampleDataSource, RunsWithoutATracingDataSourceOnThePlatformsMemory) {
  ASSERT_EQ(dlopen("TwainTrace.ds", RTLD_NOW | RTLD_NOLOAD), nullptr);
  EntryLibrary sample(SampleSource::SampleExecutable());
  TW_IDENTITY identity{};
  ASSERT_EQ(sample.Call(DG_CONTROL, DAT_IDENTITY, MSG_OPENDS, &identity), TWRC_SUCCESS);
  EXPECT_STREQ(identity.ProductName, "Halvern Virtual Scanner");

  const size_t managerBlocks = HostMemory::LiveBlocks();
  TW_HANDLE container = PixelTypes(sample);
  ASSERT_NE(container, nullptr);
  EXPECT_EQ(HostMemory::LiveBlocks(), managerBlocks);
  Enumeration pixelTypes = EnumerationIn(container);
  EXPECT_EQ(pixelTypes.itemType, TWTY_UINT16);
  EXPECT_EQ(pixelTypes.numItems, 3u);
  // Only natural handles tell their size; the Linux source manager's tell none.
  size_t size = 0;
  EXPECT_EQ(HostMemory::Size(container, &size), kHandlesKnowTheirBlock);
  if (kHandlesKnowTheirBlock) {
    EXPECT_EQ(size, kPixelTypesSize);
  }
  HostMemory::Free(container);  // as the application frees what it received
  EXPECT_EQ(sample.Call(DG_CONTROL, DAT_IDENTITY, MSG_CLOSEDS, &identity), TWRC_SUCCESS);
}

TEST(SampleDataSource, UsesTheSourceManagersMemoryOnceHandedOver) {
  EntryLibrary sample(SampleSource::SampleExecutable());
  TW_ENTRYPOINT manager = HostMemory::EntryPoint(nullptr);
  TW_ENTRYPOINT incomplete = manager;
  incomplete.DSM_MemUnlock = nullptr;
  EXPECT_EQ(sample.Call(DG_CONTROL, DAT_ENTRYPOINT, MSG_SET, &incomplete), TWRC_FAILURE);
  EXPECT_EQ(sample.ConditionCode(), TWCC_BADVALUE);
  ASSERT_EQ(sample.Call(DG_CONTROL, DAT_ENTRYPOINT, MSG_SET, &manager), TWRC_SUCCESS);

  TW_IDENTITY identity{};
  ASSERT_EQ(sample.Call(DG_CONTROL, DAT_IDENTITY, MSG_OPENDS, &identity), TWRC_SUCCESS);
  // The manager hands over its memory before it opens the source, not after.
  EXPECT_EQ(sample.Call(DG_CONTROL, DAT_ENTRYPOINT, MSG_SET, &manager), TWRC_FAILURE);
  EXPECT_EQ(sample.ConditionCode(), TWCC_SEQERROR);

  const size_t managerBlocks = HostMemory::LiveBlocks();
  TW_HANDLE container = PixelTypes(sample);
  EXPECT_EQ(HostMemory::LiveBlocks(), managerBlocks + 1);
  size_t size = 0;
  ASSERT_TRUE(HostMemory::Size(container, &size));
  EXPECT_EQ(size, kPixelTypesSize);
  EXPECT_EQ(EnumerationIn(container).numItems, 3u);
  EXPECT_EQ(HostMemory::LockCount(container), 0);
  HostMemory::Free(container);
  EXPECT_EQ(sample.Call(DG_CONTROL, DAT_IDENTITY, MSG_CLOSEDS, &identity), TWRC_SUCCESS);
}

}  // namespace
