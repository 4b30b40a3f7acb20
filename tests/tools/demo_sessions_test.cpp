// The demo host's repeated sessions: every session whole, one after another, in one load of the
// data source and so in one log, numbered on from one session to the next.
#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <string>

#include "tools/sample_source.h"

namespace {

std::string DemoCommand(const std::string& options) {
  return "'" TOOLS_DEMO_HOST "' --data-source '" TOOLS_TEST_DS "' --log-dir '" +
         SampleSource::LogDirectory() + "' --pages 1 --xfer native --pixel bw --dpi 75 " + options +
         " 2>&1";
}

size_t Count(const std::string& text, const std::regex& pattern) {
  return std::distance(std::sregex_iterator(text.begin(), text.end(), pattern),
                       std::sregex_iterator());
}

TEST(DemoSessions, EveryRepeatedSessionIsWholeInOneLog) {
  SampleSource::LayOut(/*withLogDirectory=*/true, Bundle::kSample);
  CommandResult demo = RunCommand(DemoCommand("--sessions 3"));
  ASSERT_EQ(demo.status, 0) << demo.output;
  std::vector<std::filesystem::path> logs;
  for (const auto& file : std::filesystem::directory_iterator(SampleSource::LogDirectory())) {
    logs.push_back(file.path());
  }
  ASSERT_EQ(logs.size(), 1u) << demo.output;
  std::string log = ReadFile(logs[0].string());

  EXPECT_EQ(Count(log, std::regex("/DAT_IDENTITY/MSG_OPENDS\r\n")), 3u);
  EXPECT_EQ(Count(log, std::regex("/DAT_IDENTITY/MSG_CLOSEDS\r\n")), 3u);
  EXPECT_EQ(Count(log, std::regex("/DAT_IMAGENATIVEXFER/MSG_GET\r\n")), 3u);
  EXPECT_EQ(Count(demo.output, std::regex("Session \\d of 3\n")), 3u) << demo.output;
  std::smatch summary;
  ASSERT_TRUE(std::regex_search(
      demo.output, summary,
      std::regex(R"(Summary: 3 sessions, (\d+) calls, \d+ failures \(\d+ expected\), 3 pages, )"
                 R"(\d+ image bytes, (\d+) bytes logged; sessions completed)")))
      << demo.output;
  // The running numbers go on across sessions: the last header's is the load's count of calls but
  // the transfer-ready events, which the log keeps without header or number.
  std::smatch last;
  std::string::const_iterator from = log.begin();
  std::string number;
  while (std::regex_search(from, log.cend(), last, std::regex("\\[(\\d{5,})\\] \\[APP\\]"))) {
    number = last[1];
    from = last[0].second;
  }
  size_t events = Count(log, std::regex("TWMessage = \\[MSG_XFERREADY\\]"));
  EXPECT_EQ(events, 3u);
  EXPECT_EQ(std::stoul(number), std::stoul(summary[1]) - events);
  EXPECT_EQ(std::stoul(summary[2]), log.size());
}

TEST(DemoSessions, CountOutsideItsRangeIsWrongUse) {
  for (const char* count : {"0", "-1", "1000001", "many"}) {
    CommandResult demo = RunCommand(DemoCommand(std::string("--sessions ") + count));
    EXPECT_EQ(demo.status, 2) << count;
    EXPECT_NE(demo.output.find("invalid value for --sessions"), std::string::npos) << demo.output;
  }
}

}  // namespace
