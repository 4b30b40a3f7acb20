// What tracing costs the process. The trace path allocates nothing: with the log on, a call of
// any data argument type, whatever its answer, makes no heap allocation anywhere in the process,
// from the first call on. Long runs, the data source loaded and unloaded a thousand times and a
// million traced calls in one session, leave no memory, descriptors or mappings behind.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "shell/data_source_harness.h"
#include "shell/process_resources.h"
#include "shell/sample_triplets.h"
#include "vendor_build.h"

namespace {

TW_UINT16 g_answer = TWRC_SUCCESS;

TEST(TracePath, MakesNoHeapAllocationForAnyDataArgumentType) {
  DataSourceHarness harness;
  SampleTriplets samples;
  harness.Load();
  harness.SetHandler(
      [](TW_IDENTITY*, TW_UINT32, TW_UINT16, TW_UINT16, TW_MEMREF) { return g_answer; });
  for (TW_UINT16 answer : {TWRC_SUCCESS, TWRC_FAILURE, TWRC_DSEVENT, TWRC_XFERDONE}) {
    g_answer = answer;
    for (const SampleTriplet& call : samples.All()) {
      StartCountingAllocations();
      harness.Call(call.DG, call.DAT, call.MSG, call.pData, samples.Origin());
      EXPECT_EQ(StopCountingAllocations(), 0) << "DAT " << call.DAT << ", answer " << answer;
    }
  }

  // The counter sees allocations made inside the data source.
  StartCountingAllocations();
  harness.LogMessage("Halvern", "allocates its text");
  EXPECT_GT(StopCountingAllocations(), 0);

  harness.Unload();
  std::string log = harness.LogText();
  EXPECT_NE(log.find("  TW_CAPABILITY = {"), std::string::npos);
  // Only the vendor's build reads the vendor's structures.
  EXPECT_EQ(log.find("  TWVX_HARDWAREINFO = {") != std::string::npos, kVendorExtensions);
}

constexpr int kReloads = 1000;
constexpr long kSessionCalls = 1000000;

// A sanitizer runtime maps fresh memory for its allocator whenever it likes (it holds freed
// blocks back for a while), so under it only the mappings of files are compared. It also keeps
// about a hundred bytes of its own for every image loaded (its exit-time bookkeeping among
// them), which `imageLoads` allows for; the data source's own blocks are then left to the leak
// checker at exit, which reports every one still allocated.
void ExpectNothingLeft(const ProcessResources& before, const ProcessResources& after,
                       size_t imageLoads) {
  if (kSanitizerOwnsTheHeap && imageLoads > 0) {
    EXPECT_LT(after.heapBytes, before.heapBytes + imageLoads * 256);
  } else {
    EXPECT_EQ(after.heapBytes, before.heapBytes);
  }
  EXPECT_EQ(kSanitizerOwnsTheHeap ? after.fileMappings : after.mappings,
            kSanitizerOwnsTheHeap ? before.fileMappings : before.mappings);
  EXPECT_EQ(after.descriptors, before.descriptors);
}

// One load with a log file: every sample call, an unload, and the bundle's own hold dropped, so
// that both images and the log file must go.
void LoadCallUnload(DataSourceHarness& harness, SampleTriplets& samples) {
  harness.Load();
  for (const SampleTriplet& call : samples.All()) {
    harness.Call(call.DG, call.DAT, call.MSG, call.pData, samples.Origin());
  }
  harness.Unload();
  harness.DropBundle();
  // Every load logs to a file of its own, and a second has 1001 names: the files go, so that
  // loads faster than that still each get a log.
  std::filesystem::remove_all(DataSourceHarness::LogDirectory());
  std::filesystem::create_directory(DataSourceHarness::LogDirectory());
}

TEST(Soak, ReloadingAThousandTimesLeavesNothingBehind) {
  DataSourceHarness harness;
  SampleTriplets samples;
  // The first rounds settle what the loader and the C library keep for good.
  for (int i = 0; i < 20; ++i) LoadCallUnload(harness, samples);
  const ProcessResources before = MeasureProcess();
  for (int i = 0; i < kReloads; ++i) LoadCallUnload(harness, samples);

  EXPECT_FALSE(harness.DataSourceLoaded());
  EXPECT_FALSE(harness.BundleLoaded());
  ExpectNothingLeft(before, MeasureProcess(), kReloads);
  EXPECT_EQ(harness.UnloadStderr(), "Release\nClose Log File.\n");
}

// The log file is on, its descriptor turned to /dev/null, so all its writes are made and none
// fills the disk.
TEST(Soak, AMillionCallsInOneSessionKeepMemoryFlat) {
  DataSourceHarness harness;
  SampleTriplets samples;
  harness.Load();
  harness.RedirectLogFileTo("/dev/null");
  auto callNumber = [&](long n) {
    const SampleTriplet& call = samples.All()[static_cast<size_t>(n) % samples.All().size()];
    harness.Call(call.DG, call.DAT, call.MSG, call.pData, samples.Origin());
  };
  constexpr long kWarmUp = 10000;
  for (long n = 0; n < kWarmUp; ++n) callNumber(n);
  const ProcessResources before = MeasureProcess();
  for (long n = kWarmUp; n < kSessionCalls; ++n) callNumber(n);
  const ProcessResources after = MeasureProcess();
  ExpectNothingLeft(before, after, 0);
  // The stack and the C library's buffers are already touched; a leak of even a few bytes a
  // call would add megabytes.
  EXPECT_LT(after.residentBytes, before.residentBytes + 512 * 1024);
  harness.Unload();
  EXPECT_EQ(harness.UnloadStderr(), "Release\nClose Log File.\n");
}

}  // namespace
