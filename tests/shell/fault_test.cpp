// Faults around the data source: a log it cannot create or cannot write, and an implementation
// bundle that is missing or broken. The application's calls must get what they would get
// without any tracer, and the data source must stay quiet.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "shell/data_source_harness.h"
#include "shell/sample_triplets.h"

namespace {

// Answers each call with a code derived from its type, so that a changed code shows.
TW_UINT16 AnswerByType(TW_IDENTITY*, TW_UINT32, TW_UINT16 DAT, TW_UINT16, TW_MEMREF) {
  return static_cast<TW_UINT16>(DAT % 3 == 0 ? TWRC_FAILURE : TWRC_SUCCESS + DAT % 7);
}

TW_UINT16 NoOperator(TW_IDENTITY*, TW_UINT32, TW_UINT16, TW_UINT16, TW_MEMREF) {
  return TWRC_FAILURE;
}

// Makes every sample call and expects each to come back as `expected` answers it, with its
// structure as the operator left it.
void ExpectCallsUntouched(DataSourceHarness& harness, FakeHandler expected) {
  SampleTriplets samples;
  for (const SampleTriplet& call : samples.All()) {
    const auto* data = static_cast<const unsigned char*>(call.pData);
    const std::vector<unsigned char> before(data, data + call.size);
    EXPECT_EQ(harness.Call(call.DG, call.DAT, call.MSG, call.pData, samples.Origin()),
              expected(samples.Origin(), call.DG, call.DAT, call.MSG, call.pData))
        << "DAT " << call.DAT;
    EXPECT_EQ(std::vector<unsigned char>(data, data + call.size), before) << "DAT " << call.DAT;
  }
}

// No log directory, which turns logging off and must leave no trace anywhere; a log directory
// that no user can create files in (even the superuser, whom permission bits do not stop); one
// where every name of the load's second is already taken; and a log file whose descriptor leads
// to /dev/full, where each write fails for want of space.
enum class LogFault { kNoDirectory, kDirectoryRefusesFiles, kNamesTaken, kDiskFull };

TEST(LogFaults, LogThatCannotBeCreatedOrWrittenLeavesCallsUntouchedAndStaysQuiet) {
  for (LogFault fault : {LogFault::kNoDirectory, LogFault::kDirectoryRefusesFiles,
                         LogFault::kNamesTaken, LogFault::kDiskFull}) {
    SCOPED_TRACE(static_cast<int>(fault));
    const bool linkedToProc = fault == LogFault::kDirectoryRefusesFiles;
    DataSourceHarness harness(/*withLogDirectory=*/fault != LogFault::kNoDirectory &&
                              !linkedToProc);
    if (linkedToProc) std::filesystem::create_directory_symlink("/proc", harness.LogDirectory());
    if (fault == LogFault::kNamesTaken) harness.OccupyLogFileNames(Occupant::kDirectory);
    harness.Load();
    if (fault == LogFault::kDiskFull) harness.RedirectLogFileTo("/dev/full");
    harness.SetHandler(&AnswerByType);
    ExpectCallsUntouched(harness, &AnswerByType);
    harness.Unload();
    // Release is marked once on stderr; only an open log file is announced closed.
    const bool opened = fault == LogFault::kDiskFull;
    EXPECT_EQ(harness.UnloadStderr(), opened ? "Release\nClose Log File.\n" : "Release\n");
    EXPECT_EQ(DataSourceHarness::DescriptorOf("/dev/full"), -1);
    // /proc holds entries of its own.
    if (!linkedToProc) {
      EXPECT_EQ(harness.LogFileNames().size(), opened ? 1u : 0u);
    }
  }
}

// Without an operator every call fails, with and without a log, for every structure, and the
// bundle's code goes with the unload. Only the macOS layer needs the bundle's Info.plist to
// find its executable.
TEST(BundleFaults, MissingOrBrokenBundleFailsEveryCallQuietly) {
  std::vector<FakeBundle> faults = {FakeBundle::kMissing, FakeBundle::kUnloadable,
                                    FakeBundle::kNoFactory, FakeBundle::kNullOperator};
#if SHELL_TEST_MAC_PATH
  faults.push_back(FakeBundle::kNoInfoPlist);
#endif
  for (FakeBundle bundle : faults) {
    for (bool withLog : {false, true}) {
      SCOPED_TRACE(static_cast<int>(bundle) * 10 + withLog);
      DataSourceHarness harness(withLog, bundle);
      harness.Load();
      ExpectCallsUntouched(harness, &NoOperator);
      harness.Unload();
      harness.DropBundle();
      EXPECT_FALSE(harness.BundleLoaded());
      EXPECT_EQ(harness.UnloadStderr(), withLog ? "Close Log File.\n" : "");
      EXPECT_EQ(harness.LogFileNames().size(), withLog ? 1u : 0u);
      // With a log every call is logged as a failure: markers, and never a state line.
      const std::string log = harness.LogText();
      EXPECT_EQ(log.find("*** Inspect Error Status End   ***\r\n") != std::string::npos, withLog);
      EXPECT_EQ(log.find("TWAIN Status"), std::string::npos);
    }
  }
}

}  // namespace
