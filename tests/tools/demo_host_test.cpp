// The demo session end to end: the demo host loads a test copy of the data source, runs its
// session against the sample bundle (as the implementation bundle, or as a data source of its
// own behind the adapter bundle), and the log holds every triplet of it in order, each with the
// state it led to.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <regex>
#include <sstream>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "log_reader/log_splitter.h"
#include "log_reader/triplet_entry.h"
#include "test_support.h"
#include "tools/sample_source.h"
#include "twaintrace/twain_abi.h"
#include "twaintrace/twain_vendor.h"
#include "vendor_build.h"

namespace {

struct DemoRun {
  int pages;
  const char* transfer;
  const char* pixel;
  int strips = 0;  // successful memory strips before each page's last one
  Bundle bundle = Bundle::kSample;
  const char* notify = "event";
  const char* environment = "";  // put before the command
};

bool ByCallback(const DemoRun& run) {
  return std::string(run.notify) == "callback";
}

std::string DemoCommand(const DemoRun& run) {
  std::ostringstream command;
  command << run.environment << " '" << TOOLS_DEMO_HOST << "' --notify " << run.notify
          << " --notice-timeout 300 --data-source '" << TOOLS_TEST_DS << "' --log-dir '"
          << SampleSource::LogDirectory() << "' --pages " << run.pages << " --xfer " << run.transfer
          << " --pixel " << run.pixel << " --dpi 75 2>&1";
  return command.str();
}

// What the report tool reads of a log: every triplet, its names, result, state and structures.
std::string Summary(const log_reader::Triplet& entry) {
  std::string text = log_reader::TripletText(entry);
  if (entry.hasCapability) text += " (" + std::string(entry.capability) + ")";
  return (entry.hasHeader ? text : "(event)") + " -> " + std::string(entry.returnCode);
}

// The session's set-up steps, from the expected file, with the vendor's names as this build
// names them. The Linux source manager, and any manager of a source that notifies through it,
// hands over its entry points first; only the TWAIN 2.5 names know their data argument type.
// Such a source's notice does not pass through the event loop.
std::string ExpectedSession(const DemoRun& run) {
  const std::string ok = " -> TWRC_SUCCESS\n";
  std::string steps;
  if (kLinuxSourceManagerAbi || ByCallback(run)) {
    steps += "DG_CONTROL/" + Twain25Name("DAT_ENTRYPOINT", DAT_ENTRYPOINT) + "/MSG_SET" + ok;
  }
  const std::pair<std::string, int> vendorNames[] = {{"CAP_VX_FEEDERTYPE", CAP_VX_FEEDERTYPE},
                                                     {"CAP_VX_VERSION", CAP_VX_VERSION},
                                                     {"DAT_VX_HARDWAREINFO", DAT_VX_HARDWAREINFO}};
  std::istringstream setUp(ReadFile(TOOLS_EXPECTED "/demo_session_setup.txt"));
  for (std::string line; std::getline(setUp, line);) {
    if (ByCallback(run) && line.rfind("(event)", 0) == 0) continue;
    for (const auto& [name, value] : vendorNames) {
      size_t at = line.find(name);
      if (at != std::string::npos) line.replace(at, name.size(), VendorName(name.c_str(), value));
    }
    steps += line + "\n";
  }
  bool memory = std::string(run.transfer) == "memory";
  if (memory) steps += "DG_CONTROL/DAT_SETUPMEMXFER/MSG_GET" + ok;
  for (int page = 0; page < run.pages; ++page) {
    steps += "DG_IMAGE/DAT_IMAGEINFO/MSG_GET" + ok;
    steps += "DG_IMAGE/DAT_IMAGELAYOUT/MSG_GET" + ok;
    if (memory) {
      for (int strip = 0; strip < run.strips; ++strip)
        steps += "DG_IMAGE/DAT_IMAGEMEMXFER/MSG_GET" + ok;
      steps += "DG_IMAGE/DAT_IMAGEMEMXFER/MSG_GET -> TWRC_XFERDONE\n";
    } else {
      steps += "DG_IMAGE/DAT_IMAGENATIVEXFER/MSG_GET -> TWRC_XFERDONE\n";
    }
    steps += "DG_CONTROL/DAT_PENDINGXFERS/MSG_ENDXFER" + ok;
  }
  steps += "DG_CONTROL/DAT_USERINTERFACE/MSG_DISABLEDS" + ok;
  steps += "DG_CONTROL/DAT_IDENTITY/MSG_CLOSEDS" + ok;
  return steps;
}

// The states of the state lines, each run of one state counted once.
std::vector<int> ExpectedStatePath(int pages) {
  std::vector<int> path = {4, 5, 6, 7};
  if (kLinuxSourceManagerAbi) path.insert(path.begin(), 3);  // after the hand-over
  for (int page = 1; page < pages; ++page) path.insert(path.end(), {6, 7});
  path.insert(path.end(), {5, 4, 3});
  return path;
}

// The demo's log as the log reader reads it; the entries' views point into `content`.
struct DemoLog {
  std::shared_ptr<const std::string> content;
  std::vector<log_reader::Triplet> triplets;
  size_t failures = 0;
  size_t unrecognizedLines = 0;
};

DemoLog ReadDemoLog(const std::string& path) {
  DemoLog log;
  if (!std::filesystem::is_regular_file(path)) return log;
  log.content = std::make_shared<const std::string>(ReadFile(path));
  for (const log_reader::LogItem& item : log_reader::SplitLog(*log.content)) {
    if (const auto* raw = std::get_if<log_reader::RawEntry>(&item)) {
      log.triplets.push_back(log_reader::ParseTriplet(*raw, log.triplets.size() + 1));
      if (log.triplets.back().Failed()) ++log.failures;
    } else if (std::holds_alternative<log_reader::UnknownLine>(item)) {
      ++log.unrecognizedLines;
    }
  }
  return log;
}

struct Finished {
  CommandResult result;
  std::string logPath;
  DemoLog log;
};

// Runs the demo against a fresh test root; the log is the one file in its log directory.
Finished RunDemo(const DemoRun& run) {
  Finished finished;
  SampleSource::LayOut(/*withLogDirectory=*/true, run.bundle);
  finished.result = RunCommand(DemoCommand(run));
  for (const auto& file : std::filesystem::directory_iterator(SampleSource::LogDirectory())) {
    finished.logPath += (finished.logPath.empty() ? "" : " ") + file.path().string();
  }
  finished.log = ReadDemoLog(finished.logPath);
  return finished;
}

// The summary the host prints agrees with the log it names.
void ExpectSummaryOf(const Finished& demo, int pages) {
  std::smatch match;
  ASSERT_TRUE(std::regex_search(demo.result.output, match, std::regex("Log file: (.*)\n")));
  EXPECT_EQ(match[1], demo.logPath);
  ASSERT_TRUE(std::regex_search(
      demo.result.output, match,
      std::regex(R"(Summary: (\d+) calls, (\d+) failures \((\d+) expected\), (\d+) pages?, )"
                 R"(\d+ image bytes, (\d+) bytes logged; session completed)")))
      << demo.result.output;
  // The source announces its image at the first event, so every call is in the log.
  EXPECT_EQ(std::stoul(match[1]), demo.log.triplets.size());
  EXPECT_EQ(std::stoul(match[2]), demo.log.failures);
  EXPECT_EQ(std::stoul(match[3]), demo.log.failures);
  EXPECT_EQ(std::stoi(match[4]), pages);
  EXPECT_EQ(std::stoul(match[5]), demo.log.content->size());
  for (int page = 1; page <= pages; ++page) {
    EXPECT_NE(demo.result.output.find("page " + std::to_string(page) + ": "), std::string::npos);
  }
}

// The page lines the host prints: size, transfer and checksum of every page.
std::vector<std::string> PageLines(const std::string& output) {
  std::vector<std::string> lines;
  std::istringstream in(output);
  for (std::string line; std::getline(in, line);) {
    if (line.rfind("page ", 0) == 0) lines.push_back(line);
  }
  return lines;
}

class DemoSession : public testing::TestWithParam<DemoRun> {};

// Every triplet in order, numbered, with the state after each success and the error markers
// after each failure, and a summary that agrees. The same session through the adapter logs the
// same text: only the addresses of the application's structures and handles differ from run to
// run. The TWAIN 2 way, the source's notices come through the source manager instead of the
// event loop, and the session takes the same pages, byte for byte.
TEST_P(DemoSession, LogHoldsEveryTripletInOrderWhetherAdaptedOrNotifiedByCallback) {
  Finished demo = RunDemo(GetParam());
  ASSERT_EQ(demo.result.status, 0) << demo.result.output;
  // One log file, every line of it in one of the log's forms.
  ASSERT_TRUE(demo.log.content) << "no one log file: " << demo.logPath;
  EXPECT_EQ(demo.log.unrecognizedLines, 0u) << *demo.log.content;

  std::string summaries;
  std::vector<int> statePath;
  long long number = 0;
  for (const log_reader::Triplet& entry : demo.log.triplets) {
    SCOPED_TRACE(Summary(entry));
    summaries += Summary(entry) + "\n";
    if (entry.hasHeader) {
      EXPECT_EQ(entry.sequence, ++number);
    }
    EXPECT_TRUE(entry.malformed.empty());
    EXPECT_EQ(entry.state.has_value(), !entry.Failed());
    EXPECT_EQ(entry.errorStatus, entry.Failed());
    if (entry.state && (statePath.empty() || statePath.back() != *entry.state)) {
      statePath.push_back(*entry.state);
    }
    // A native transfer shows the handle the source returned, not the application's variable.
    if (entry.argumentType == "DAT_IMAGENATIVEXFER") {
      EXPECT_NE(std::string(entry.Field("Item")), "<" + std::string(entry.dataPointer) + ">");
      EXPECT_NE(entry.Field("Item"), "<0x00000000>");
    }
  }
  EXPECT_EQ(summaries, ExpectedSession(GetParam()));
  EXPECT_EQ(statePath, ExpectedStatePath(GetParam().pages));
  ExpectSummaryOf(demo, GetParam().pages);

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
  EXPECT_EQ(PageLines(byCallback.result.output).size(), size_t(notified.pages));
  EXPECT_EQ(PageLines(byCallback.result.output), PageLines(demo.result.output));
  for (const char* notice : {"MSG_XFERREADY", "MSG_CLOSEDSREQ"}) {
    EXPECT_NE(
        byCallback.result.output.find("Notice from the source: " + std::string(notice) + "\n"),
        std::string::npos);
  }
  summaries.clear();
  for (const log_reader::Triplet& entry : byCallback.log.triplets) {
    summaries += Summary(entry) + "\n";
  }
  EXPECT_EQ(summaries, ExpectedSession(notified));
  ExpectSummaryOf(byCallback, notified.pages);
}

void PrintTo(const DemoRun& run, std::ostream* out) {
  *out << run.pages << " pages, " << run.transfer << ", " << run.pixel;
}

// One run per transfer mechanism.
INSTANTIATE_TEST_SUITE_P(
    Runs, DemoSession, testing::Values(DemoRun{3, "memory", "gray", 4}, DemoRun{2, "native", "bw"}),
    [](const testing::TestParamInfo<DemoRun>& info) {
      return std::to_string(info.param.pages) + "Pages" + info.param.transfer + info.param.pixel;
    });

// A notice that never comes ends the session with a clear message, and the source is still
// closed; so does a source that does not work the TWAIN 2 way.
TEST(DemoSessionByCallback, ANoticeThatNeverComesFailsClearly) {
  const struct {
    const char* environment;
    const char* message;
  } cases[] = {
      {"HALVERN_WITHHOLD=xferready", "the source sent no MSG_XFERREADY notice within 300 ms"},
      {"HALVERN_WITHHOLD=closedsreq", "the source sent no MSG_CLOSEDSREQ notice within 300 ms"},
      {"HALVERN_NOTIFY=event", "no DF_DS2"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.environment);
    DemoRun run{1, "memory", "gray"};
    run.notify = "callback";
    run.environment = c.environment;
    Finished demo = RunDemo(run);
    EXPECT_EQ(demo.result.status, 1) << demo.result.output;
    EXPECT_NE(demo.result.output.find(c.message), std::string::npos) << demo.result.output;
    EXPECT_NE(demo.result.output.find("session FAILED"), std::string::npos);
    ASSERT_FALSE(demo.log.triplets.empty());
    EXPECT_EQ(Summary(demo.log.triplets.back()),
              "DG_CONTROL/DAT_IDENTITY/MSG_CLOSEDS -> TWRC_SUCCESS");
  }
}

TEST(DemoSessionFailures, ExitStatusIsNonzeroWhenTheSessionGoesWrong) {
  Finished noBundle = RunDemo({1, "memory", "gray", 0, Bundle::kMissing});
  EXPECT_EQ(noBundle.result.status, 1) << noBundle.result.output;
  EXPECT_NE(noBundle.result.output.find("session FAILED"), std::string::npos);
  ASSERT_FALSE(noBundle.log.triplets.empty()) << noBundle.result.output;
  EXPECT_EQ(Summary(noBundle.log.triplets[0]),
            kLinuxSourceManagerAbi ? "DG_CONTROL/" + Twain25Name("DAT_ENTRYPOINT", DAT_ENTRYPOINT) +
                                         "/MSG_SET -> TWRC_FAILURE"
                                   : "DG_CONTROL/DAT_IDENTITY/MSG_OPENDS -> TWRC_FAILURE");

  CommandResult refused =
      RunCommand("'" TOOLS_DEMO_HOST "' --data-source '" TOOLS_TEST_DS "' --log-dir '" +
                 SampleSource::LogDirectory() + "' --dpi 123 2>&1");
  EXPECT_EQ(refused.status, 1) << refused.output;
  EXPECT_NE(refused.output.find("session FAILED"), std::string::npos);

  EXPECT_EQ(RunCommand("'" TOOLS_DEMO_HOST "' --pages 0 2>&1").status, 2);
  EXPECT_EQ(RunCommand("'" TOOLS_DEMO_HOST "' --xfer file 2>&1").status, 2);
}

}  // namespace
