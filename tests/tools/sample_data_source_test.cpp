// The sample bundle's executable as a data source of its own: loaded directly by a source
// manager, without a tracing data source in the process, it makes its memory through the
// platform's memory manager until the source manager hands over its own.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include "common/host_memory.h"
#include "platform/memory_handle.h"
#include "tools/sample_source.h"
#include "twaintrace/twain_abi.h"

namespace {

TEST(SampleDataSource, MakesItsMemoryOnThePlatformUntilTheSourceManagerHandsOverItsOwn) {
  ASSERT_EQ(dlopen("TwainTrace.ds", RTLD_NOW | RTLD_NOLOAD), nullptr);
  TW_ENTRYPOINT manager = HostMemory::EntryPoint(nullptr);
  TW_ENTRYPOINT incomplete = manager;
  incomplete.DSM_MemUnlock = nullptr;
  for (bool handOver : {false, true}) {
    SCOPED_TRACE(handOver ? "memory handed over" : "platform memory");
    EntryLibrary sample(SampleSource::SampleExecutable());
    if (handOver) {
      EXPECT_EQ(sample.Call(DG_CONTROL, DAT_ENTRYPOINT, MSG_SET, &incomplete), TWRC_FAILURE);
      EXPECT_EQ(sample.ConditionCode(), TWCC_BADVALUE);
      ASSERT_EQ(sample.Call(DG_CONTROL, DAT_ENTRYPOINT, MSG_SET, &manager), TWRC_SUCCESS);
    }
    TW_IDENTITY identity{};
    ASSERT_EQ(sample.Call(DG_CONTROL, DAT_IDENTITY, MSG_OPENDS, &identity), TWRC_SUCCESS);
    EXPECT_STREQ(identity.ProductName, "Halvern Virtual Scanner");
    // The manager hands over its memory before it opens the source, not after.
    EXPECT_EQ(sample.Call(DG_CONTROL, DAT_ENTRYPOINT, MSG_SET, &manager), TWRC_FAILURE);
    EXPECT_EQ(sample.ConditionCode(), TWCC_SEQERROR);

    const size_t managerBlocks = HostMemory::LiveBlocks();
    TW_CAPABILITY capability{ICAP_PIXELTYPE, TWON_DONTCARE16, nullptr};
    ASSERT_EQ(sample.Call(DG_CONTROL, DAT_CAPABILITY, MSG_GET, &capability), TWRC_SUCCESS);
    ASSERT_EQ(TW_UINT16{capability.ConType}, TWON_ENUMERATION);
    EXPECT_EQ(HostMemory::LiveBlocks(), managerBlocks + (handOver ? 1 : 0));
    // Only natural handles tell their size; the Linux source manager's tell none. The pixel
    // types' enumeration holds three.
    const bool sizeKnown = handOver || kHandlesKnowTheirBlock;
    size_t size = 0;
    EXPECT_EQ(HostMemory::Size(capability.hContainer, &size), sizeKnown);
    if (sizeKnown) {
      EXPECT_EQ(size, offsetof(TW_ENUMERATION, ItemList) + 3 * sizeof(TW_UINT16));
    }
    if (handOver) {
      EXPECT_EQ(HostMemory::LockCount(capability.hContainer), 0);
    }
    HostMemory::Free(capability.hContainer);  // as the application frees what it received
    EXPECT_EQ(sample.Call(DG_CONTROL, DAT_IDENTITY, MSG_CLOSEDS, &identity), TWRC_SUCCESS);
  }
}

}  // namespace
