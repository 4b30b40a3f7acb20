// The trace path allocates nothing: with the log on, a call of any data argument type, whatever
// its answer, makes no heap allocation anywhere in the process, from the first call on.
#include <gtest/gtest.h>

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

}  // namespace
