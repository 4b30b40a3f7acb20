#include "log/log_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <string>

namespace {

// The rounding itself is the time stamp's, tested with the logger.
TEST(LogFileName, NameHoldsTheSecondAndFourDigitMilliseconds) {
  struct tm local {};
  ASSERT_NE(strptime("2026-01-05 09:30:12", "%Y-%m-%d %H:%M:%S", &local), nullptr);
  char path[256];
  MakeLogFilePath(path, sizeof(path), "/logs", local, 457);
  EXPECT_STREQ(path, "/logs/Twainlog_20260105_093012_0457.txt");
  MakeLogFilePath(path, sizeof(path), "/logs", local, 1000);
  EXPECT_STREQ(path, "/logs/Twainlog_20260105_093012_1000.txt");
}

TEST(LogFile, SecondSetupKeepsTheOpenFile) {
  ASSERT_EQ(system((std::string("rm -rf '") + kTwainLogDirectory + "' && mkdir -p '" +
                    kTwainLogDirectory + "'")
                       .c_str()),
            0);
  EXPECT_TRUE(setupTwainLog());
  ASSERT_NE(g_pLogFile, nullptr);
  FILE* first = g_pLogFile;
  EXPECT_TRUE(setupTwainLog());
  EXPECT_EQ(g_pLogFile, first);

  const unsigned char text[] = "abc";
  WriteLogFile(text, 0);
  WriteLogFile(text, 3);
  EXPECT_EQ(ftell(g_pLogFile), 3);
  testing::internal::CaptureStderr();
  cleanupTwainLog();
  testing::internal::GetCapturedStderr();
  EXPECT_EQ(g_pLogFile, nullptr);
}

}  // namespace
