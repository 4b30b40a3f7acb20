// Loading and unloading the data source: the implementation bundle, its operator and the log.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include "common/host_memory.h"
#include "shell/data_source_harness.h"
#include "test_support.h"

namespace {

// Until the Linux source manager hands over its memory functions the bundle's blocks are the
// platform's; from then on they are the manager's, whatever the operator answered to the
// hand-over it was passed. The natural data source always keeps to the platform's memory
// manager.
TEST(Lifecycle, BundleReachesTheDataSourcesMemoryInterface) {
  DataSourceHarness harness;
  harness.Load();
  const size_t managerBlocks = HostMemory::LiveBlocks();
  // Whose block the bundle gets, with 24 zero bytes: the manager's known by its count of blocks.
  auto expectBlock = [&](bool manager) {
    char** block = harness.AllocThroughDataSource(24);
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(HostMemory::LiveBlocks(), managerBlocks + (manager ? 1 : 0));
    size_t size = 0;
    EXPECT_EQ(HostMemory::Size(block, &size), !kLinuxSourceManagerAbi || manager);
    EXPECT_EQ(size, !kLinuxSourceManagerAbi || manager ? 24u : 0u);
    EXPECT_EQ(static_cast<char*>(HostMemory::Lock(block))[23], 0);
    HostMemory::Unlock(block);
    HostMemory::Free(block);  // as the manager frees what the application received
  };
  expectBlock(false);
  static TW_MEMREF received = nullptr;
  harness.SetHandler(
      [](TW_IDENTITY*, TW_UINT32, TW_UINT16 DAT, TW_UINT16, TW_MEMREF data) -> TW_UINT16 {
        if (DAT == DAT_ENTRYPOINT) received = data;
        return TWRC_FAILURE;
      });
  TW_ENTRYPOINT manager = HostMemory::EntryPoint(nullptr);
  EXPECT_EQ(harness.Call(DG_CONTROL, DAT_ENTRYPOINT, MSG_SET, &manager), TWRC_FAILURE);
  EXPECT_EQ(received, &manager);
  expectBlock(kLinuxSourceManagerAbi);
  harness.Unload();
}

// The load makes one time-stamped log file, with no banner, and the unload closes it after the
// operator's release. A host that runs the exported initialiser again gets nothing new: one
// operator, released once, one log file, and no second hold on the bundle that would keep it
// loaded.
TEST(Lifecycle, LoadLogsToOneFileClosedAfterReleaseHoweverOftenItIsInitialised) {
  DataSourceHarness harness;
  harness.Load();
  EXPECT_EQ(harness.FactoryName(), "TwainTrace.ds");
  void* dataSource = dlopen(SHELL_TEST_DS, RTLD_NOW | RTLD_NOLOAD);
  ASSERT_NE(dataSource, nullptr);
  auto initialise = reinterpret_cast<void (*)()>(dlsym(dataSource, "MachO_Initialization"));
  ASSERT_NE(initialise, nullptr);
  initialise();
  initialise();
  dlclose(dataSource);
  EXPECT_EQ(harness.LogFileNames().size(), 1u);
  EXPECT_EQ(harness.Call(DG_CONTROL, DAT_IDENTITY, MSG_OPENDS, nullptr), TWRC_SUCCESS);
  harness.Unload();
  EXPECT_EQ(harness.UnloadStderr(), "Release\nClose Log File.\n");
  harness.DropBundle();
  EXPECT_FALSE(harness.BundleLoaded());
  EXPECT_EQ(harness.LogText(), ReadFile(SHELL_TEST_EXPECTED "/open_ds.txt"));
}

TEST(Lifecycle, ExportsExactlyThePublishedInterfaces) {
  // Everything exported is one of the entry points or a member of a published class.
  CommandResult exported = RunCommand("nm -D --defined-only " + Quoted(SHELL_TEST_DS) +
                                      " | awk '{print $3}' | c++filt | sed 's/(.*//' | sort -u"
                                      " | grep -v -e '^CParaAnalyze::' -e '^CDSMInterface::' -e "
                                      "'^CTwainLog::' -e ' for CTwainLog'");
  EXPECT_EQ(exported.output,
            "CreateTandraTempDirectory\nDS_Entry\nMachO_Initialization\nMachO_Termination\n");
}

}  // namespace
