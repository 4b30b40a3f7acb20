// twaintrace-replay as a driver team runs it: the demo session's log against the sample bundle
// and the data source, against a sample with other power-on settings, against sources that
// crash, hang, are none or send notices no source should, and logs with entries that cannot be
// made again.
#include <gtest/gtest.h>

#include <filesystem>
#include <initializer_list>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "test_support.h"

namespace {

namespace fs = std::filesystem;

void ExpectHolds(const std::string& text, std::initializer_list<std::string> parts) {
  for (const std::string& part : parts) {
    EXPECT_NE(text.find(part), std::string::npos) << "no \"" << part << "\" in\n" << text;
  }
}

struct ToolRun : CommandResult {
  // The lines that report something about an entry, without the running number, which the
  // entry-point hand-over of the Linux source manager's interface moves by one.
  std::vector<std::string> EntryLines() const {
    std::vector<std::string> lines;
    std::istringstream text(output);
    for (std::string line; std::getline(text, line);) {
      if (line.rfind("#", 0) == 0) lines.push_back(line.substr(line.find(' ') + 1));
    }
    return lines;
  }

  // Ended with `status`, its output holding each of `parts`.
  void Expect(int expected, std::initializer_list<std::string> parts) const {
    EXPECT_EQ(status, expected) << output;
    ExpectHolds(output, parts);
  }
};

ToolRun Replay(const std::string& arguments, const std::string& environment = "") {
  return {RunCommand(environment + " '" REPLAY_TOOL "' " + arguments + " 2>&1")};
}

// The log of the demo host's session with `options` through the test copy of the data source,
// as one word of a command.
std::string DemoSession(const std::string& options, const std::string& environment = "") {
  CommandResult demo = RunCommand(environment + " '" REPLAY_DEMO_HOST "' --data-source '" +
                                  REPLAY_TEST_DS "' --log-dir '" REPLAY_LOG_DIR "' " + options);
  std::smatch log;
  EXPECT_EQ(demo.status, 0) << options << "\n" << demo.output;
  EXPECT_TRUE(std::regex_search(demo.output, log, std::regex("Log file: (.*)\n"))) << demo.output;
  return Quoted(log[1]);
}

// Demo sessions through the test copy of the data source, shared by the tests: one by memory
// transfer, one by native transfer, and one of a source that sends its notices to the source
// manager, by an application that waits for them instead of running an event loop.
class ReplayTool : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    for (const auto& old : fs::directory_iterator(REPLAY_LOG_DIR)) fs::remove(old.path());
    fs::create_directories(REPLAY_OUTPUT);
    memoryLog = DemoSession("--pages 2");
    nativeLog = DemoSession("--pages 1 --xfer native --pixel rgb");
    callbackLog = DemoSession("--pages 2 --notify callback", "HALVERN_NOTIFY=callback");
  }

  static inline std::string memoryLog, nativeLog, callbackLog;
};

const std::vector<std::string> kRefusedSetSkipped = {
    "DG_CONTROL/DAT_CAPABILITY/MSG_SET (ICAP_XRESOLUTION): skipped: the log does not show the "
    "container of a failed set",
    "DG_CONTROL/DAT_STATUS/MSG_GET: skipped: the status it asks for is that of the skipped call "
    "before it",
};

TEST_F(ReplayTool, DemoLogReplaysWithoutDivergence) {
  for (const std::string& log : {memoryLog, nativeLog}) {
    for (const char* source : {REPLAY_SAMPLE, REPLAY_TEST_DS}) {
      SCOPED_TRACE(log + " " + source);
      ToolRun run = Replay(log + " " + Quoted(source));
      run.Expect(0, {" calls replayed, 2 skipped, 0 diverged\n"});
      EXPECT_EQ(run.EntryLines(), kRefusedSetSkipped) << run.output;
    }
  }
}

TEST_F(ReplayTool, OtherPowerOnSettingsDivergeWhereTheLogReadsThem) {
  const std::string changed = "HALVERN_DEFAULT_PIXEL=bw HALVERN_DEFAULT_DPI=300";
  const std::string source = Quoted(REPLAY_SAMPLE);
  ToolRun run = Replay(memoryLog + " " + source, changed);
  run.Expect(1, {", 2 skipped, 2 diverged\n"});
  std::vector<std::string> expected = {
      "DG_CONTROL/DAT_CAPABILITY/MSG_GET (ICAP_PIXELTYPE): CurrentIndex 2 -> 0",
      "DG_CONTROL/DAT_CAPABILITY/MSG_GET (ICAP_PIXELTYPE): DefaultIndex 2 -> 0",
      "DG_CONTROL/DAT_CAPABILITY/MSG_GETDEFAULT (ICAP_XRESOLUTION): Item 150.000 -> 300.000",
  };
  expected.insert(expected.end(), kRefusedSetSkipped.begin(), kRefusedSetSkipped.end());
  EXPECT_EQ(run.EntryLines(), expected) << run.output;

  run = Replay("--stop-at-first " + memoryLog + " " + source, changed);
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.EntryLines(), std::vector<std::string>(expected.begin(), expected.begin() + 2));

  // The JSON report of a session with notices: the divergences and the notices each call saw,
  // the first of each kind listed and the rest counted.
  run = Replay("--quiet --most-listed 1 --json '" REPLAY_OUTPUT "/replay.json' " + callbackLog +
                   " " + source,
               changed + " HALVERN_NOTIFY=callback");
  EXPECT_EQ(run.status, 1);
  EXPECT_TRUE(std::regex_match(run.output, std::regex("Summary: [^\n]*\n"))) << run.output;
  const std::string written = ReadFile(REPLAY_OUTPUT "/replay.json");
  ExpectHolds(written,
              {"\"skipped\": 2,", "\"diverged\": 2,",
               "{\"field\": \"CurrentIndex\", \"logged\": \"2\", \"replayed\": \"0\"}",
               "DG_CONTROL/DAT_USERINTERFACE/MSG_ENABLEDS\", \"line\": ",
               "\"notice\": \"MSG_XFERREADY\", \"accepted\": true, \"refusal\": \"\"}",
               "\"unlistedDivergences\": 1,", "\"unlistedSkips\": 1,", "\"unlistedNotices\": 1,"});
  EXPECT_EQ(written.find("\"field\": \"Item\""), std::string::npos) << written;
}

TEST_F(ReplayTool, WhatCannotBeReadIsWrongUse) {
  Replay(memoryLog + " " + memoryLog).Expect(2, {"cannot load the data source"});
  // The bundle's plugin given for the data source.
  Replay(memoryLog + " " + Quoted(REPLAY_NOT_A_SOURCE)).Expect(2, {"has no DS_Entry"});
  Replay("/nonexistent/Twainlog.txt " + Quoted(REPLAY_SAMPLE)).Expect(2, {"cannot read the log"});
  Replay(memoryLog).Expect(2, {});
  Replay("--timeout 0 " + memoryLog + " " + Quoted(REPLAY_SAMPLE)).Expect(2, {});
}

TEST_F(ReplayTool, EntriesThatCannotBeMadeAgainAreSkippedAndCounted) {
  // Another scanner's log.
  Replay(Quoted(REPLAY_REPORT_FIXTURES "/Twainlog_20260105_093012_0457.txt") + " " +
         Quoted(REPLAY_SAMPLE))
      .Expect(1, {"#00009 DG_CONTROL/DAT_CAPABILITY/MSG_GET (CAP_SUPPORTEDCAPS): skipped: cut at "
                  "5120 bytes\n",
                  "#00012 DG_CONTROL/ERROR!(32800)/MSG_GET: skipped: unknown data argument type "
                  "ERROR!(32800)\n",
                  " calls replayed, 4 skipped, "});
}

TEST_F(ReplayTool, NoticesAreAwaitedWhereTheApplicationAwaitedThem) {
  for (const char* mode : {"callback", "callback-thread"}) {
    SCOPED_TRACE(mode);
    ToolRun run = Replay("--verbose --timeout 2 " + callbackLog + " " + Quoted(REPLAY_SAMPLE),
                         std::string("HALVERN_NOTIFY=") + mode);
    run.Expect(0, {": notice MSG_XFERREADY received\n", ", 2 skipped, 0 diverged\n"});
    EXPECT_EQ(run.output.find("refused"), std::string::npos) << run.output;
  }

  // A source that keeps a notice back: the application's wait for it is the first divergence,
  // where the replay stops.
  const std::string withheld[][2] = {
      {"xferready", "DG_IMAGE/DAT_IMAGEINFO/MSG_GET: awaited notice MSG_XFERREADY"},
      {"closedsreq", "DG_CONTROL/DAT_USERINTERFACE/MSG_DISABLEDS: awaited notice MSG_CLOSEDSREQ"},
  };
  for (const auto& [notice, firstDivergence] : withheld) {
    Replay("--stop-at-first --timeout 2 " + callbackLog + " " + Quoted(REPLAY_SAMPLE),
           "HALVERN_NOTIFY=callback HALVERN_WITHHOLD=" + notice)
        .Expect(1, {firstDivergence + " -> none within 2 s\n"});
  }
}

// A source that crashes or hangs, reported with the call that did it; and notices no source
// should send, or at odd times, from a source that otherwise sends what a TWAIN 2 source sends:
// each a line of its own, the replay going on.
TEST_F(ReplayTool, MisbehavingSourcesAreReportedWithTheirCall) {
  const std::string get = "DG_CONTROL/DAT_CAPABILITY/MSG_GETCURRENT (ICAP_SUPPORTEDSIZES): ";
  const std::string enable = "DG_CONTROL/DAT_USERINTERFACE/MSG_ENABLEDS: ";
  const std::string cases[][2] = {
      {"REPLAY_FAKE_FAULT=crash", get + "the data source crashed (signal 6, SIGABRT)\n"},
      {"REPLAY_FAKE_FAULT=hang", get + "the data source did not return within 1 s\n"},
      {"REPLAY_FAKE_NOTICE=null-origin", enable + "notice MSG_XFERREADY refused: null origin"},
      {"REPLAY_FAKE_NOTICE=foreign-destination",
       enable + "notice MSG_XFERREADY refused: foreign destination"},
      {"REPLAY_FAKE_NOTICE=unknown-message",
       enable + "notice ERROR!(30583) refused: unknown message"},
      {"REPLAY_FAKE_NOTICE=flood", enable + "25 more notices, not listed"},
      {"REPLAY_FAKE_NOTICE=close-mid-transfer",
       "DG_IMAGE/DAT_IMAGEINFO/MSG_GET: notice MSG_CLOSEDSREQ received"},
      {"REPLAY_FAKE_NOTICE=after-close",
       "DG_CONTROL/DAT_IDENTITY/MSG_CLOSEDS: notice MSG_CLOSEDSREQ refused: source not open"},
  };
  for (const auto& [misbehaviour, line] : cases) {
    SCOPED_TRACE(misbehaviour);
    ToolRun run =
        Replay("--verbose --timeout 1 " + callbackLog + " " + Quoted(REPLAY_FAKE), misbehaviour);
    // The fake fills nothing the log shows; its good notices still came.
    run.Expect(1, {line, "Summary: "});
    EXPECT_EQ(run.output.find("awaited notice"), std::string::npos) << run.output;
  }
}

}  // namespace
