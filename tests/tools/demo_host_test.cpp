// The demo session end to end: the demo host loads a test copy of the data source, runs its
// session against the sample bundle (as the implementation bundle, or as a data source of its
// own behind the adapter bundle), and the log holds every triplet of it in order, each with the
// state it led to.
#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "log_reader/triplet_entry.h"
#include "test_support.h"
#include "tools/log_reader/log_text.h"
#include "tools/sample_source.h"
#include "twaintrace/twain_abi.h"
#include "twaintrace/twain_vendor.h"
#include "vendor_build.h"

namespace {

// The expected files hold the pages of a memory run (four full strips before each last one) and
// of a native run, both runs below.
struct DemoRun {
  int pages;
  const char* transfer;
  const char* pixel;
  int sessions = 1;          // one after another in one load of the data source
  std::string options = "";  // put after the others, so that they win
  std::string notify = "event";
  std::string environment = "";  // put before the command
  Bundle bundle = Bundle::kSample;
};

std::string DemoCommand(const DemoRun& run) {
  return run.environment + " '" TOOLS_DEMO_HOST "' --notify " + run.notify +
         " --notice-timeout 300 --data-source '" TOOLS_TEST_DS "' --log-dir '" +
         SampleSource::LogDirectory() + "' --pages " + std::to_string(run.pages) + " --xfer " +
         run.transfer + " --pixel " + run.pixel + " --dpi 75 --sessions " +
         std::to_string(run.sessions) + " " + run.options + " 2>&1";
}

// What the report tool reads of a log: every triplet, its names, result and the state it led to.
std::string Summary(const log_reader::Triplet& entry) {
  std::string text = entry.hasHeader ? log_reader::TripletText(entry) : "(event)";
  if (entry.hasCapability) text += " (" + std::string(entry.capability) + ")";
  text += " -> " + std::string(entry.returnCode);
  return entry.state ? text + ", state " + std::to_string(*entry.state) : text;
}

// Each session's triplets and the states they lead to, as the expected file of its transfer and
// notification lists them, with the vendor's names as this build names them. The Linux source
// manager, and any manager of a source that notifies through it, hands over its entry points
// before each opening; only the TWAIN 2.5 names know their data argument type. A source that
// notifies through the manager passes no event through the loop: the log shows state 6 from the
// first image triplet.
std::string ExpectedSessions(const DemoRun& run) {
  std::string steps;
  if (kLinuxSourceManagerAbi || run.notify == "callback") {
    steps += "DG_CONTROL/" + Twain25Name("DAT_ENTRYPOINT", DAT_ENTRYPOINT) +
             "/MSG_SET -> TWRC_SUCCESS, state 3\n";
  }
  const std::pair<std::string, int> vendorNames[] = {{"CAP_VX_FEEDERTYPE", CAP_VX_FEEDERTYPE},
                                                     {"CAP_VX_VERSION", CAP_VX_VERSION},
                                                     {"DAT_VX_HARDWAREINFO", DAT_VX_HARDWAREINFO}};
  std::istringstream session(ReadFile(TOOLS_EXPECTED "/demo_session_" + std::string(run.transfer) +
                                      "_" + run.notify + ".txt"));
  for (std::string line; std::getline(session, line);) {
    for (const auto& [name, value] : vendorNames) {
      size_t at = line.find(name);
      if (at != std::string::npos) line.replace(at, name.size(), VendorName(name.c_str(), value));
    }
    steps += line + "\n";
  }
  std::string sessions;
  for (int session = 0; session < run.sessions; ++session) sessions += steps;
  return sessions;
}

// A finished demo and its one log as the log reader and the report read it.
struct Finished {
  CommandResult result;
  std::string logPath;
  report_test::ReadBack log;  // no content without one log file

  std::string Summaries() const {
    std::string text;
    for (const log_reader::Triplet& entry : log.triplets) text += Summary(entry) + "\n";
    return text;
  }
};

// Runs the demo against a fresh test root; the log is the one file in its log directory.
Finished RunDemo(const DemoRun& run) {
  Finished demo;
  SampleSource::LayOut(/*withLogDirectory=*/true, run.bundle);
  demo.result = RunCommand(DemoCommand(run));
  for (const auto& file : std::filesystem::directory_iterator(SampleSource::LogDirectory())) {
    demo.logPath += (demo.logPath.empty() ? "" : " ") + file.path().string();
  }
  if (std::filesystem::is_regular_file(demo.logPath)) {
    demo.log = report_test::Read(ReadFile(demo.logPath));
  }
  return demo;
}

// The summary the host prints agrees with the log it names; the page lines, one a page.
std::vector<std::string> ExpectSummaryOf(const Finished& demo, int pages) {
  EXPECT_TRUE(Contains(demo.result.output, "Log file: " + demo.logPath + "\n"));
  // The source announces its image at the first event, so every call is in the log.
  const std::string failures = std::to_string(demo.log.overview.failures);
  EXPECT_TRUE(std::regex_search(
      demo.result.output,
      std::regex("Summary: (\\d+ sessions, )?" + std::to_string(demo.log.overview.triplets) +
                 " calls, " + failures + " failures \\(" + failures + " expected\\), " +
                 std::to_string(pages) + " pages?, \\d+ image bytes, " +
                 std::to_string(demo.log.content->size()) + " bytes logged; sessions? completed")))
      << demo.result.output;
  std::vector<std::string> pageLines;
  std::istringstream in(demo.result.output);
  for (std::string line; std::getline(in, line);) {
    if (line.rfind("page ", 0) == 0) pageLines.push_back(line);
  }
  EXPECT_EQ(pageLines.size(), size_t(pages));
  return pageLines;
}

// Every line of the log in one of its forms, every triplet numbered on (across sessions too),
// with the error markers after each failure.
void ExpectWellFormed(const Finished& demo) {
  const report::Overview& overview = demo.log.overview;
  EXPECT_EQ(overview.unrecognizedLines, 0u) << *demo.log.content;
  EXPECT_EQ(overview.firstSequence, 1);
  EXPECT_EQ(overview.sequenceGaps + overview.sequenceRestarts, 0u);
  for (const log_reader::Triplet& entry : demo.log.triplets) {
    SCOPED_TRACE(Summary(entry));
    EXPECT_TRUE(entry.malformed.empty());
    EXPECT_EQ(entry.errorStatus, entry.Failed());
    // A native transfer shows the handle the source returned, not the application's variable.
    if (entry.argumentType == "DAT_IMAGENATIVEXFER") {
      EXPECT_NE(std::string(entry.Field("Item")), "<" + std::string(entry.dataPointer) + ">");
      EXPECT_NE(entry.Field("Item"), "<0x00000000>");
    }
  }
}

class DemoSession : public testing::TestWithParam<DemoRun> {};

// The session's triplets in order and a summary that agrees. The same session through the
// adapter logs the same text: only the addresses of the application's structures and handles
// differ from run to run. The TWAIN 2 way, the source's notices come through the source manager
// instead of the event loop, and the session takes the same pages, byte for byte.
TEST_P(DemoSession, LogHoldsEveryTripletInOrderWhetherAdaptedOrNotifiedByCallback) {
  Finished demo = RunDemo(GetParam());
  ASSERT_EQ(demo.result.status, 0) << demo.result.output;
  ASSERT_TRUE(demo.log.content) << "no one log file: " << demo.logPath;
  const int pageCount = GetParam().pages * GetParam().sessions;
  ExpectWellFormed(demo);
  EXPECT_EQ(demo.Summaries(), ExpectedSessions(GetParam()));
  const std::vector<std::string> pages = ExpectSummaryOf(demo, pageCount);

  DemoRun adapted = GetParam();
  adapted.bundle = Bundle::kAdapter;
  Finished throughAdapter = RunDemo(adapted);
  ASSERT_EQ(throughAdapter.result.status, 0) << throughAdapter.result.output;
  ASSERT_TRUE(throughAdapter.log.content);
  const std::regex address("<0x[0-9a-f]{8}>");
  EXPECT_EQ(std::regex_replace(*throughAdapter.log.content, address, "<address>"),
            std::regex_replace(*demo.log.content, address, "<address>"));

  DemoRun notified = GetParam();
  notified.notify = "callback";
  Finished byCallback = RunDemo(notified);
  ASSERT_EQ(byCallback.result.status, 0) << byCallback.result.output;
  EXPECT_EQ(ExpectSummaryOf(byCallback, pageCount), pages);
  for (const std::string notice : {"MSG_XFERREADY", "MSG_CLOSEDSREQ"}) {
    EXPECT_TRUE(Contains(byCallback.result.output, "Notice from the source: " + notice + "\n"));
  }
  EXPECT_EQ(byCallback.Summaries(), ExpectedSessions(notified));
}

// One run per transfer mechanism, the second repeated in one load.
INSTANTIATE_TEST_SUITE_P(
    Runs, DemoSession, testing::Values(DemoRun{3, "memory", "gray"}, DemoRun{2, "native", "bw", 3}),
    [](const testing::TestParamInfo<DemoRun>& info) { return std::string(info.param.transfer); });

// A notice that never comes, a source that does not work the TWAIN 2 way, a missing bundle and a
// resolution the source refuses end the session with a clear message, the source still closed.
TEST(DemoSessionFailures, ExitStatusIsNonzeroWhenTheSessionGoesWrong) {
  const std::string handOver =
      "DG_CONTROL/" + Twain25Name("DAT_ENTRYPOINT", DAT_ENTRYPOINT) + "/MSG_SET -> TWRC_FAILURE";
  const std::string closed = "DG_CONTROL/DAT_IDENTITY/MSG_CLOSEDS -> TWRC_SUCCESS, state 3";
  const auto byCallback = [](const char* environment) {
    return DemoRun{1, "memory", "gray", 1, "", "callback", environment};
  };
  const struct {
    DemoRun run;
    std::string message;
    std::string call;  // the last, or with no bundle the first
  } cases[] = {
      {byCallback("HALVERN_WITHHOLD=xferready"),
       "the source sent no MSG_XFERREADY notice within 300 ms", closed},
      {byCallback("HALVERN_WITHHOLD=closedsreq"),
       "the source sent no MSG_CLOSEDSREQ notice within 300 ms", closed},
      {byCallback("HALVERN_NOTIFY=event"), "no DF_DS2", closed},
      {{1, "memory", "gray", 1, "--dpi 123"}, "", closed},
      {{1, "memory", "gray", 1, "", "event", "", Bundle::kMissing},
       "",
       kLinuxSourceManagerAbi ? handOver : "DG_CONTROL/DAT_IDENTITY/MSG_OPENDS -> TWRC_FAILURE"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.run.environment + c.run.options);
    Finished demo = RunDemo(c.run);
    EXPECT_EQ(demo.result.status, 1) << demo.result.output;
    EXPECT_TRUE(Contains(demo.result.output, c.message)) << demo.result.output;
    EXPECT_TRUE(Contains(demo.result.output, "session FAILED"));
    const std::vector<log_reader::Triplet>& triplets = demo.log.triplets;
    ASSERT_FALSE(triplets.empty()) << demo.result.output;
    EXPECT_EQ(Summary(c.run.bundle == Bundle::kMissing ? triplets.front() : triplets.back()),
              c.call);
  }
}

TEST(DemoSessionFailures, OptionOutsideItsRangeIsWrongUse) {
  for (const char* options : {"--pages 0", "--xfer file", "--sessions 0", "--sessions -1",
                              "--sessions 1000001", "--sessions many"}) {
    CommandResult demo = RunCommand(DemoCommand({1, "native", "bw", 1, options}));
    EXPECT_EQ(demo.status, 2) << options;
    EXPECT_TRUE(Contains(demo.output, "invalid value for --")) << demo.output;
  }
}

}  // namespace
