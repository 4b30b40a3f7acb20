// Loading and unloading the data source: the implementation bundle, its operator and the log.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <regex>
#include <string>

#include "platform/memory_handle.h"
#include "shell/data_source_harness.h"

namespace {

TEST(Lifecycle, LoadMakesOneTimeStampedLogAndUnloadClosesItAfterRelease) {
  DataSourceHarness harness;
  harness.Load();
  EXPECT_EQ(harness.FactoryName(), "TwainTrace.ds");
  EXPECT_EQ(harness.LogFileCount(), 1);
  EXPECT_TRUE(
      std::regex_match(harness.LogFileName(), std::regex(R"(Twainlog_\d{8}_\d{6}_\d{4}\.txt)")))
      << harness.LogFileName();
  EXPECT_EQ(harness.LogText(), "");  // no banner
  harness.Unload();
  EXPECT_EQ(harness.ReleaseCount(), 1);
  EXPECT_EQ(harness.UnloadStderr(), "Release\nClose Log File.\n");
}

TEST(Lifecycle, WithoutLogDirectoryNothingIsWrittenAnywhere) {
  DataSourceHarness harness(/*withLogDirectory=*/false);
  harness.Load();
  EXPECT_EQ(harness.Call(DG_CONTROL, DAT_IDENTITY, MSG_OPENDS, nullptr), TWRC_SUCCESS);
  EXPECT_EQ(harness.OperatorCalls(), 1);
  harness.Unload();
  EXPECT_EQ(harness.ReleaseCount(), 1);
  EXPECT_EQ(harness.UnloadStderr(), "Release\n");
  EXPECT_EQ(harness.LogFileCount(), 0);
}

TEST(Lifecycle, WithoutOperatorCallsFailAndAreLogged) {
  const std::string expected =
      "[00001] [APP] DG_CONTROL/DAT_IDENTITY/MSG_OPENDS\r\n"
      "        Return Code = [TWRC_FAILURE]\r\n"
      "pData   = <0x00000000>\r\n"
      "*** Inspect Error Status Start ***\r\n"
      "*** Inspect Error Status End   ***\r\n";
  for (FakeBundle bundle :
       {FakeBundle::kMissing, FakeBundle::kNoFactory, FakeBundle::kNullOperator}) {
    DataSourceHarness harness(true, bundle);
    harness.Load();
    EXPECT_EQ(harness.Call(DG_CONTROL, DAT_IDENTITY, MSG_OPENDS, nullptr), TWRC_FAILURE);
    harness.Unload();
    EXPECT_EQ(harness.LogText(), expected);
    EXPECT_EQ(harness.UnloadStderr(), "Close Log File.\n");
  }
}

TEST(Lifecycle, BundleReachesTheDataSourcesMemoryInterface) {
  DataSourceHarness harness;
  harness.Load();
  char** handle = harness.AllocThroughDataSource(24);
  ASSERT_NE(handle, nullptr);
  size_t size = 0;
  EXPECT_TRUE(MemoryHandleSize(handle, &size));
  EXPECT_EQ(size, 24u);
  DisposeMemoryHandle(handle);
}

TEST(Lifecycle, ExportsExactlyThePublishedInterfaces) {
  std::string command = std::string("nm -D --defined-only '") + SHELL_TEST_DS +
                        "' | awk '{print $3}' | c++filt | sed 's/(.*//' | sort -u";
  FILE* pipe = popen(command.c_str(), "r");
  ASSERT_NE(pipe, nullptr);
  std::string symbols;
  char line[512];
  while (fgets(line, sizeof(line), pipe) != nullptr) {
    std::string name = line;
    // Everything exported is one of the entry points or a member of a published class.
    if (name.rfind("CParaAnalyze::", 0) == 0 || name.rfind("CDSMInterface::", 0) == 0 ||
        name.rfind("CTwainLog::", 0) == 0 || name.find(" for CTwainLog") != std::string::npos) {
      continue;
    }
    symbols += name;
  }
  pclose(pipe);
  EXPECT_EQ(symbols,
            "CreateTandraTempDirectory\nDS_Entry\nMachO_Initialization\nMachO_Termination\n");
}

}  // namespace
