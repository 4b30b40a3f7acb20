// The log file and the levelled logger: the file's name, the message line, its time stamp, and
// the logger's life alongside the log file.
#include "log/twain_log.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cwchar>
#include <filesystem>
#include <string>

#include "log/log_file.h"
#include "test_support.h"

namespace {

using namespace ENUM_LOG_LEVEL_TW;

// Collects what the logger writes by standing in for the open log file.
class TwainLogOutput : public ::testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::create_directories(TWAINTRACE_TEST_SCRATCH_DIR);
    g_pLogFile = fopen(path_.c_str(), "w");
    ASSERT_NE(g_pLogFile, nullptr);
  }
  void TearDown() override {
    fclose(g_pLogFile);
    g_pLogFile = nullptr;
  }

  // The text written since the last call, its time stamps replaced by "[<time>]" (only a
  // well-formed stamp is replaced; anything else stays and fails the match).
  std::string Written() {
    std::string text = ReadFile(path_).substr(taken_);
    taken_ += text.size();
    return WithoutTimeStamps(text);
  }

  CTwainLog log_;

 private:
  const std::string path_ = std::string(TWAINTRACE_TEST_SCRATCH_DIR) + "/twain-log-output";
  size_t taken_ = 0;
};

// The prefix: level name (empty beyond the named ones), origin, and the file's base name padded
// to 40 with its line when a file is given; the line ends in exactly one line feed, also when
// the text is empty or is cut at a NUL it holds, and a CR LF ending is kept. 150 characters need
// a second pass, which must read the arguments afresh; a text that cannot be rendered at all
// gives an empty one instead of growing the buffer forever.
TEST_F(TwainLogOutput, MessageLineHasItsPrefixAndOneLineFeed) {
  const std::string name45(45, 'n');
  const std::string text150(150, 'x');
  const struct {
    int level;
    const char* origin;
    const char* file;
    int line;
    const char* text;
    std::string expected;
  } cases[] = {
      {LOG_LEVEL_INFO, "S", "/work/src/trace_unit", 7, "ready",
       "INFO from \"S\" (File: trace_unit                              , Line:    7) ready\n"},
      {LOG_LEVEL_ERROR, "S", name45.c_str(), 12345, "lamp",
       "ERROR from \"S\" (File: " + name45 + ", Line: 12345) lamp\n"},
      {LOG_LEVEL_INFO, "S", "D:\\work\\src\\unit", 1, "x",
       "INFO from \"S\" (File: unit                                    , Line:    1) x\n"},
      {LOG_LEVEL_INFO, "S", "a\\b/c", 1, "x",
       "INFO from \"S\" (File: c                                       , Line:    1) x\n"},
      {LOG_LEVEL_INFO, "S", "a/b\\c", 1, "x",
       "INFO from \"S\" (File: c                                       , Line:    1) x\n"},
      {LOG_LEVEL_INFO, "S", "dir/", 1, "x",
       "INFO from \"S\" (File:                                         , Line:    1) x\n"},
      {LOG_LEVEL_WARNING, "S", nullptr, 7, "cover open", "WARNING from \"S\" cover open\n"},
      {LOG_LEVEL_TRACE, nullptr, nullptr, 0, "no origin", "TRACE from \"\" no origin\n"},
      {0, "S", nullptr, 0, "level 0", " from \"S\" level 0\n"},
      {5, "S", nullptr, 0, "level 5", " from \"S\" level 5\n"},
      {LOG_LEVEL_INFO, "S", nullptr, 0, "ends\n", "INFO from \"S\" ends\n"},
      {LOG_LEVEL_INFO, "S", nullptr, 0, "mid\ndle", "INFO from \"S\" mid\ndle\n"},
      {LOG_LEVEL_INFO, "S", nullptr, 0, "crlf\r\n", "INFO from \"S\" crlf\r\n"},
      {LOG_LEVEL_INFO, "S", nullptr, 0, "", "INFO from \"S\" \n"},
      {LOG_LEVEL_INFO, "S", nullptr, 0, text150.c_str(), "INFO from \"S\" " + text150 + "\n"},
  };
  for (const auto& c : cases) {
    log_.Message(static_cast<enumLogLevel_tw>(c.level), c.origin, c.file, c.line, "%s", c.text);
    EXPECT_EQ(Written(), "[<time>] " + c.expected) << c.expected;
  }
  log_.Message(LOG_LEVEL_INFO, "S", nullptr, 0, "%s%c%s", "before", 0, "after");
  EXPECT_EQ(Written(), "[<time>] INFO from \"S\" before\n");
  const wint_t beyondUnicode = 0x110000;
  log_.Message(LOG_LEVEL_ERROR, "S", nullptr, 0, "%lc", beyondUnicode);
  EXPECT_EQ(Written(), "[<time>] ERROR from \"S\" \n");
  // Called as a host without the format check would call it.
  auto message = &CTwainLog::Message;
  (log_.*message)(LOG_LEVEL_INFO, "S", nullptr, 0, nullptr);
  EXPECT_EQ(Written(), "[<time>] INFO from \"S\" \n");
}

// Milliseconds rounded to four digits at most (the file's name, rounded alike: the data source's
// log file tests).
TEST(TwainLogHeader, StampsLocalTimeWithMillisecondsRoundedToFourDigits) {
  struct tm local {};
  ASSERT_NE(strptime("2026-01-05 09:30:12", "%Y-%m-%d %H:%M:%S", &local), nullptr);
  EXPECT_EQ(CTwainLog::GetHeader(local, 457000), "2026/01/05 09:30:12.457");
  EXPECT_EQ(CTwainLog::GetHeader(local, 1500), "2026/01/05 09:30:12.002");
  EXPECT_EQ(CTwainLog::GetHeader(local, 999499), "2026/01/05 09:30:12.999");
  EXPECT_EQ(CTwainLog::GetHeader(local, 999600), "2026/01/05 09:30:12.1000");
}

// Counts its deletions, and whether the log file was still open at the time.
class CountingLog : public CTwainLog {
 public:
  ~CountingLog() override {
    ++deletions;
    fileOpenAtDeletion = g_pLogFile != nullptr;
  }
  static inline int deletions = 0;
  static inline bool fileOpenAtDeletion = false;
};

class TwainLogLifecycle : public ::testing::Test {
 protected:
  void SetUp() override { std::filesystem::remove_all(TWAINTRACE_TEST_LOG_DIR); }
  void TearDown() override {
    testing::internal::CaptureStderr();
    cleanupTwainLog();
    testing::internal::GetCapturedStderr();
    std::filesystem::remove_all(TWAINTRACE_TEST_LOG_DIR);
  }
};

TEST_F(TwainLogLifecycle, LivesWhileLoggingIsEnabled) {
  EXPECT_FALSE(setupTwainLog());
  EXPECT_EQ(g_pcTwainLog, nullptr) << "made without the log directory";
  // Without a file nothing is written anywhere.
  ASSERT_EQ(g_pLogFile, nullptr);
  CTwainLog log;
  testing::internal::CaptureStdout();
  testing::internal::CaptureStderr();
  log.Message(LOG_LEVEL_INFO, "S", "a/b.cpp", 3, "dropped %d", 1);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "");

  // A second setup keeps the open file; the logger goes before the file is closed, once.
  std::filesystem::create_directories(TWAINTRACE_TEST_LOG_DIR);
  EXPECT_TRUE(setupTwainLog());
  FILE* first = g_pLogFile;
  EXPECT_TRUE(setupTwainLog());
  EXPECT_EQ(g_pLogFile, first);
  delete g_pcTwainLog;
  g_pcTwainLog = new CountingLog;
  testing::internal::CaptureStderr();
  cleanupTwainLog();
  cleanupTwainLog();
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "Close Log File.\n");
  EXPECT_EQ(CountingLog::deletions, 1);
  EXPECT_TRUE(CountingLog::fileOpenAtDeletion);
  EXPECT_EQ(g_pcTwainLog, nullptr);
}

}  // namespace
