// The built report and replay tools fed the worst a customer's log folder can hold: an empty
// file, binary noise, one line of 100 MB, a log cut inside an entry, two loads in one file,
// 10 million lines in no form of the log, 10,000 files, a log that grows while it is read. Each
// run must end by itself with a clear report or message and the documented exit status, never a
// signal, within an address-space limit and with a small peak resident memory.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <atomic>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <random>
#include <regex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "test_support.h"
#include "tools/log_reader/log_text.h"

namespace {

namespace fs = std::filesystem;

// AddressSanitizer reserves terabytes of address space and doubles what is resident: the limits
// below say nothing there, so sanitized runs, whose runtime defines this, check the outcome only,
// and are given longer.
extern "C" [[gnu::weak]] void __asan_init();
const bool kMemoryLimited = &__asan_init == nullptr;
const int kMostRunSeconds = kMemoryLimited ? 90 : 300;

// A tool that needs more than this for any log holds what it should have streamed past.
constexpr uint64_t kAddressSpaceLimit = 512ull << 20;
constexpr long kMostResidentKb = 64 * 1024;
// The page of any log, however big, opens in a browser at once; what the terminal gets is read.
constexpr uintmax_t kMostPageBytes = 5u << 20;
constexpr size_t kMostOutputBytes = 64u << 10;

const std::string kFixtureSession =
    std::string(REPORT_FIXTURES) + "/Twainlog_20260105_093012_0457.txt";

// A tool's run: its exit status (-1 when a signal ended it) and stdout, its errors, and the most
// memory resident at once.
struct Outcome : CommandResult {
  long residentKb = 0;
  std::string err;
};

const std::string kIdentityOnly = report_test::IdentityOnlyLog();

// Ended by itself with `status`, in bounded memory, with an output of at most `mostOutput`
// bytes whose stdout matches each of `patterns`.
void ExpectEnded(const Outcome& outcome, int status,
                 std::initializer_list<const char*> patterns = {},
                 size_t mostOutput = kMostOutputBytes) {
  const std::string shown = "exit " + std::to_string(outcome.status) +
                            "; stderr: " + outcome.err.substr(0, 2000) +
                            "; stdout: " + outcome.output.substr(0, 2000);
  EXPECT_EQ(outcome.status, status) << shown;
  EXPECT_LE(outcome.output.size() + outcome.err.size(), mostOutput) << shown;
  for (const char* pattern : patterns) {
    EXPECT_TRUE(std::regex_search(outcome.output, std::regex(pattern))) << pattern << "\n" << shown;
  }
  if (kMemoryLimited) {
    EXPECT_LE(outcome.residentKb, kMostResidentKb) << "peak resident KB";
  }
}

class BadInput : public testing::Test {
 protected:
  void SetUp() override {
    dir_ =
        fs::path(BAD_INPUT_OUTPUT) / testing::UnitTest::GetInstance()->current_test_info()->name();
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  // The inputs are big: nothing stays behind of a test that passed.
  void TearDown() override {
    if (!HasFailure()) fs::remove_all(dir_);
  }

  // `before`, then `copies` copies of `repeated`, then `after`, in a file named as the data
  // source names its logs, with the load time in the name.
  fs::path WriteLog(const std::string& before, const std::string& repeated = "", size_t copies = 0,
                    const std::string& after = "") const {
    const fs::path log = dir_ / "Twainlog_20260105_093012_0457.txt";
    std::ofstream out(log, std::ios::binary);
    out << before;
    for (size_t i = 0; i < copies; ++i) out << repeated;
    out << after;
    return log;
  }

  // One run of a tool in the shell, limited as a support engineer's laptop would not be, so that
  // a tool that grows with the log fails here, not there. It is killed after kMostRunSeconds:
  // `timeout` then exits 137, no tool's status.
  Outcome Run(const std::string& tool, const std::vector<std::string>& arguments) const {
    std::string command =
        kMemoryLimited ? "ulimit -v " + std::to_string(kAddressSpaceLimit >> 10) + "; " : "";
    command += "exec timeout -s KILL " + std::to_string(kMostRunSeconds) + " " + Quoted(tool);
    for (const std::string& argument : arguments) command += " " + Quoted(argument);
    const CommandResult run = RunCommand(command + " 2>" + Quoted((dir_ / "stderr").string()));
    // The most any child of this test has held: each run's peak is at most that.
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    return Outcome{run, usage.ru_maxrss, ReadFile(dir_ / "stderr")};
  }
  Outcome Replay(const fs::path& log) const {
    return Run(REPLAY_TOOL, {"--quiet", log.string(), REPLAY_SAMPLE});
  }

  // The report ends well and says what `patterns` say, and its page opens at once. Gives the
  // report's run.
  Outcome ExpectReported(const fs::path& log, std::initializer_list<const char*> patterns) const {
    fs::path page = dir_ / "page.html";
    Outcome text = Run(REPORT_TOOL, {"--html", page.string(), log.string()});
    ExpectEnded(text, 0, patterns);
    const uintmax_t pageBytes = fs::exists(page) ? fs::file_size(page) : 0;
    EXPECT_GT(pageBytes, 0u);
    EXPECT_LE(pageBytes, kMostPageBytes);
    return text;
  }

  fs::path dir_;
};

// Reported as holding no triplet, without a control byte of the log on the terminal; the
// replay, which has nothing to play, names the log, says so and counts it as wrong use.
TEST_F(BadInput, EmptyLogAndBinaryNoiseAreReportedAndHaveNothingToReplay) {
  std::mt19937 random(2463534242u);  // the same noise on every run
  std::string noise(4 << 20, '\0');
  for (char& byte : noise) byte = static_cast<char>(random());
  for (const auto& [content, reported] :
       {std::pair<std::string, const char*>{"", "Twainlog_20260105_093012_0457\\.txt"},
        {noise, "Unrecognized lines: +[1-9]"}}) {
    SCOPED_TRACE(reported);
    fs::path log = WriteLog(content);
    Outcome report = ExpectReported(log, {reported, "Triplets: +0\\b"});
    EXPECT_FALSE(std::regex_search(report.output, std::regex("[\\x00-\\x09\\x0b-\\x1f\\x7f]")));
    Outcome replay = Replay(log);
    ExpectEnded(replay, 2);
    EXPECT_TRUE(std::regex_search(replay.err, std::regex(log.filename().string() + ".*no triplet")))
        << replay.err;
  }
}

// One line of 100 MB between two entries: the line is one unrecognized line, shown cut, and the
// entries around it are read. The fixture's scanner is not the sample's.
TEST_F(BadInput, LineOf100MegabytesIsOneUnrecognizedLineBetweenEntries) {
  fs::path log = WriteLog(ReadFile(kFixtureSession), std::string(1 << 16, 'x'), 1600,
                          "\r\n" + report_test::MemoryStrip(26));
  ASSERT_GE(fs::file_size(log), 100u << 20);
  ExpectReported(log, {"Unrecognized lines: +1\\b", "Triplets: +26\\b"});
  ExpectEnded(Replay(log), 1, {"Summary: \\d+ calls replayed"});
}

// A log cut inside its last entry, as when the host died: the report says where it ends, the
// replay skips the entry it cannot make again and plays the rest.
TEST_F(BadInput, LogCutInsideAnEntrySaysWhereItEnds) {
  const std::string session = ReadFile(kFixtureSession);
  fs::path log = WriteLog(session.substr(0, session.find("TW_", session.find("[00008]")) + 5));
  ExpectReported(log, {"Triplets: +8\\b", "ends inside triplet #00008"});
  ExpectEnded(Replay(log), 1, {"Summary: \\d+ calls replayed, [1-9]\\d* skipped"});
}

// Two loads that wrote one file (the same name within a millisecond): the numbering restarts.
TEST_F(BadInput, EntriesOfTwoLoadsInOneFileAreReadAsTwoLoads) {
  fs::path log = WriteLog(ReadFile(kFixtureSession) + ReadFile(kFixtureSession));
  ExpectReported(log, {"Triplets: +50\\b", "several loads"});
  ExpectEnded(Replay(log), 1, {"2 loads of the data source"});
}

// Ten million lines in no form of the log, kept short (3 bytes each, 30 MB) so that making and
// reading them takes CI seconds: counted, the first few listed, the rest summed up.
TEST_F(BadInput, TenMillionUnrecognizedLinesAreCountedNotHeld) {
  fs::path log = WriteLog(kIdentityOnly, "~\r\n", 10'000'000);
  ExpectReported(log, {"Unrecognized lines: +10,?000,?000\\b", "Triplets: +1\\b"});
  // Without --quiet the replay lists the first ten; the sample is not the logged scanner.
  ExpectEnded(Run(REPLAY_TOOL, {log.string(), REPLAY_SAMPLE}), 1,
              {"Summary: 1 calls? replayed.* 10,?000,?000 unrecognized"});
}

// A customer's whole LOG folder after months: 10,000 identity requests and one session. The
// index lists them all, and only the session gets a full report.
TEST_F(BadInput, FolderOf10000LogsIsIndexedAndTheSessionReported) {
  fs::path folder = dir_ / "LOG";
  fs::create_directories(folder);
  constexpr size_t kLogs = 10000, kMostIndexRowBytes = 300;
  for (size_t i = 0; i < kLogs; ++i) {
    char name[64];
    snprintf(name, sizeof(name), "Twainlog_20260106_%02zu%02zu%02zu_%04zu.txt", i / 3600,
             i / 60 % 60, i % 60, i % 1000);
    std::ofstream(folder / name, std::ios::binary) << kIdentityOnly;
  }
  fs::copy_file(kFixtureSession, folder / "Twainlog_20260105_093012_0457.txt");
  Outcome report = Run(REPORT_TOOL, {folder.string()});
  ExpectEnded(report, 0,
              {"TwainTrace log index: 10,?001 logs",
               "Full reports follow of the logs with more than identity requests: 1\\."},
              kLogs * kMostIndexRowBytes + kMostOutputBytes);
  EXPECT_EQ(report.output.find("=== Log 2 of"), std::string::npos);

  // The replay plays one log, not a folder.
  Outcome replay = Run(REPLAY_TOOL, {"--quiet", folder.string(), REPLAY_SAMPLE});
  ExpectEnded(replay, 2);
  EXPECT_NE(replay.err.find(folder.string()), std::string::npos) << replay.err;
}

// The data source goes on writing while the tools read: each reads a consistent prefix and ends,
// however long the writer keeps going.
TEST_F(BadInput, LogThatGrowsWhileItIsReadIsReadToWhereItWas) {
  for (const bool replay : {false, true}) {
    SCOPED_TRACE(replay ? "replay" : "report");
    fs::path log = WriteLog(kIdentityOnly);
    std::ofstream out(log, std::ios::binary | std::ios::app);
    long long next = 2;
    for (; next <= 2000; ++next) out << report_test::MemoryStrip(next);
    out.flush();
    std::atomic<bool> stop{false};
    // Whole entries while the tool runs, up to a size that the report reads in seconds and the
    // replay, which calls the source for every entry, in less than a minute.
    const uintmax_t mostBytes = replay ? 8u << 20 : 200u << 20;
    std::thread writer([&] {
      while (!stop && fs::file_size(log) < mostBytes) {
        std::string chunk;
        for (int i = 0; i < 100; ++i) chunk += report_test::MemoryStrip(next++);
        out << chunk << std::flush;
      }
    });
    Outcome outcome = replay ? Replay(log) : Run(REPORT_TOOL, {log.string()});
    stop = true;
    writer.join();
    // The memory transfers without a page before them do not answer alike.
    ExpectEnded(outcome, replay ? 1 : 0,
                {replay ? "Summary: \\d+ calls replayed" : "Triplets: +\\d"});
    fs::remove(log);
  }
}

}  // namespace
