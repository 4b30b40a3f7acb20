// The log file in a directory that others can write to, and in a host with many threads:
// whatever stands at the coming file name, the load makes a file of its own without waiting,
// and every trace entry and logger line reaches that file whole.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "shell/data_source_harness.h"
#include "shell/fake_clock.h"
#include "shell/sample_triplets.h"
#include "test_support.h"

namespace {

void LoadCallUnload(DataSourceHarness& harness) {
  harness.Load();
  harness.Call(DG_CONTROL, DAT_IDENTITY, MSG_OPENDS, nullptr);
  harness.Unload();
}

// A link to someone else's file, a pipe or another load's file at every name but the last of
// each second: the load must leave each alone and take the free name, without waiting (a load
// held up at a pipe is ended by the alarm).
TEST(LogFileSafety, WhateverHoldsTheNameIsLeftAloneAndTheLoadLogsToAFileOfItsOwn) {
  const std::string victim = std::string(SHELL_TEST_ROOT) + "/victim.txt";
  const std::string victimText = "someone else's private file\n";
  for (Occupant occupant :
       {Occupant::kLink, Occupant::kFifo, Occupant::kDirectory, Occupant::kFile}) {
    SCOPED_TRACE(static_cast<int>(occupant));
    DataSourceHarness harness;
    std::ofstream(victim, std::ios::binary) << victimText;
    harness.OccupyLogFileNames(occupant, victim, 999);

    alarm(10);
    LoadCallUnload(harness);
    alarm(0);

    EXPECT_EQ(ReadFile(victim), victimText);
    ASSERT_EQ(harness.LogFileNames().size(), 1u);
    const std::string name = harness.LogFileName();
    EXPECT_EQ(name.substr(name.size() - 9), "_1000.txt");
    EXPECT_EQ(harness.LogText(), ReadFile(SHELL_TEST_EXPECTED "/open_ds.txt"));
    for (const std::string& other : DataSourceHarness::LogDirectoryNames()) {
      if (occupant == Occupant::kFile && other != name) {
        ASSERT_EQ(ReadFile(DataSourceHarness::LogDirectory() + "/" + other),
                  DataSourceHarness::kOccupantText)
            << other;
      }
    }
  }
}

// A clock that moves on a millisecond with each reading, starting just before a second's turn:
// a name made from two readings pairs the old second with the new second's milliseconds. The
// file is writable by its owner alone, whatever the umask, and closed in child processes.
TEST(LogFileName, DateTimeAndMillisecondsComeFromOneClockReading) {
  DataSourceHarness harness;
  const time_t second = time(nullptr) + 100;
  fake_clock::Run({second, 999400000}, 1000000);
  const mode_t umaskBefore = umask(0);
  harness.Load();
  umask(umaskBefore);
  // A name for each reading, its milliseconds rounded from the reading's microseconds.
  std::set<std::string> names;
  for (const struct timespec& reading : fake_clock::Stop()) {
    const int milliseconds = static_cast<int>((reading.tv_nsec / 1000 + 500) / 1000);
    names.insert(DataSourceHarness::LogFileNameAt(reading.tv_sec, milliseconds));
  }
  EXPECT_EQ(names.count(harness.LogFileName()), 1u)
      << harness.LogFileName() << " made from no single reading";
  const std::string path = harness.LogDirectory() + "/" + harness.LogFileName();
  EXPECT_EQ(std::filesystem::status(path).permissions(), std::filesystem::perms(0644));
  const int descriptor = DataSourceHarness::DescriptorOf(path);
  ASSERT_GE(descriptor, 0);
  EXPECT_NE(fcntl(descriptor, F_GETFD) & FD_CLOEXEC, 0);
  harness.Unload();
}

// Loads at one instant, as the Linux source manager's load, unload and reload of a source can
// be; at the second's last name the next free one is the second's first.
TEST(LogFileName, LoadsInOneMillisecondEachWriteAFileOfTheirOwn) {
  const time_t second = time(nullptr) + 100;
  const struct {
    long nanoseconds;
    int milliseconds[2];  // of the names, in sorted order
  } cases[] = {{500000000, {500, 501}}, {999700000, {0, 1000}}};
  for (const auto& c : cases) {
    DataSourceHarness harness;
    fake_clock::Run({second, c.nanoseconds}, 0);
    LoadCallUnload(harness);
    LoadCallUnload(harness);
    fake_clock::Stop();
    const std::vector<std::string> names = {
        DataSourceHarness::LogFileNameAt(second, c.milliseconds[0]),
        DataSourceHarness::LogFileNameAt(second, c.milliseconds[1])};
    ASSERT_EQ(DataSourceHarness::LogDirectoryNames(), names);
    for (const std::string& name : names) {
      EXPECT_EQ(ReadFile(DataSourceHarness::LogDirectory() + "/" + name),
                ReadFile(SHELL_TEST_EXPECTED "/open_ds.txt"))
          << name;
    }
  }
}

TW_UINT16 AnswerByType(TW_IDENTITY*, TW_UINT32, TW_UINT16 DAT, TW_UINT16, TW_MEMREF) {
  return DAT % 3 == 0 ? TWRC_FAILURE : TWRC_SUCCESS;
}

constexpr int kMessages = 2000;

// The log of a load that makes each sample call 60 times over while `loggers` threads write
// `kMessages` logger messages each.
std::string LogOfSampleCalls(SampleTriplets& samples, int loggers) {
  DataSourceHarness harness;
  harness.Load();
  harness.SetHandler(&AnswerByType);
  std::atomic<int> ready{0};
  std::vector<std::thread> threads;
  for (int t = 0; t < loggers; ++t) {
    threads.emplace_back([&harness, &ready, loggers, t] {
      const std::string origin = "T" + std::to_string(t);
      for (++ready; ready < loggers + 1;) std::this_thread::yield();
      for (int n = 0; n < kMessages; ++n) {
        const std::string text = "message " + std::to_string(n) + " " + std::string(n % 97, 'x');
        harness.LogMessage(origin.c_str(), text.c_str());
      }
    });
  }
  for (++ready; ready < loggers + 1;) std::this_thread::yield();
  for (int round = 0; round < 60; ++round) {
    for (const SampleTriplet& call : samples.All()) {
      harness.Call(call.DG, call.DAT, call.MSG, call.pData, samples.Origin());
    }
  }
  for (std::thread& thread : threads) thread.join();
  harness.Unload();
  return harness.LogText();
}

// 4 threads of logger messages while a fifth traces calls: read line by line, the log is a
// sequence of whole logger lines and whole entries, the entries in call order and byte for
// byte as a load without the other threads logs them.
TEST(LogFileSafety, LoggerLinesAndTraceEntriesStayWholeAmongThreads) {
  constexpr int kLoggers = 4;
  SampleTriplets samples;  // the entries show the structures' addresses: both loads share them
  const std::string quiet = LogOfSampleCalls(samples, 0);
  std::istringstream lines(LogOfSampleCalls(samples, kLoggers));

  // Without its logger lines the log is the quiet one; a logger line stands only at the start,
  // after an entry's last line (its state line or error-status end marker) or after another.
  static const std::regex kLine(
      R"(\[\d{4}/\d{2}/\d{2} \d{2}:\d{2}:\d{2}\.\d{3,4}\] INFO from "T\d" message \d+ x*)");
  std::string traced;
  bool atEntryEnd = true;
  int loggerLines = 0;
  for (std::string line; std::getline(lines, line);) {
    if (std::regex_match(line, kLine)) {
      ++loggerLines;
      ASSERT_TRUE(atEntryEnd) << "logger line " << loggerLines << " inside an entry";
    } else {
      traced += line + "\n";
      atEntryEnd =
          line.rfind("TWAIN Status = [", 0) == 0 || line == "*** Inspect Error Status End   ***\r";
    }
  }
  // Compared from the first byte that differs, if any, so that a failure shows where.
  const size_t differs =
      std::mismatch(traced.begin(), traced.end(), quiet.begin(), quiet.end()).first -
      traced.begin();
  EXPECT_EQ(traced.substr(differs, 300), quiet.substr(differs, 300)) << "from byte " << differs;
  EXPECT_EQ(loggerLines, kLoggers * kMessages);
}

}  // namespace
