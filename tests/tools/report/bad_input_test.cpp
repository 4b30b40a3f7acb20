// The built report and replay tools fed the worst a customer's log folder can hold: an empty
// file, binary noise, one line of 100 MB, a log cut inside an entry, two loads in one file,
// 10 million lines in no form of the log, 10,000 files, a log that grows while it is read. Each
// run must end by itself with a clear report or message and the documented exit status, never a
// signal, within an address-space limit and with a small peak resident memory.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/time.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <regex>
#include <string>
#include <thread>
#include <vector>

#include "test_support.h"
#include "tools/log_reader/log_text.h"

namespace {

namespace fs = std::filesystem;

#if defined(__SANITIZE_ADDRESS__)
#define BAD_INPUT_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define BAD_INPUT_ASAN 1
#endif
#endif
#ifdef BAD_INPUT_ASAN
// AddressSanitizer reserves terabytes of address space and doubles what is resident: the limits
// below say nothing there, so sanitized runs check the outcome only, and are given longer.
constexpr bool kMemoryLimited = false;
constexpr auto kMostRunTime = std::chrono::seconds(300);
#else
constexpr bool kMemoryLimited = true;
constexpr auto kMostRunTime = std::chrono::seconds(90);
#endif

// A tool that needs more than this for any log holds what it should have streamed past.
constexpr rlim_t kAddressSpaceLimit = 512ull << 20;
constexpr long kMostResidentKb = 64 * 1024;
// The page of any log, however big, opens in a browser at once; what the terminal gets is read.
constexpr uintmax_t kMostPageBytes = 5u << 20;
constexpr size_t kMostOutputBytes = 64u << 10;

const std::string kFixtureSession =
    std::string(REPORT_FIXTURES) + "/Twainlog_20260105_093012_0457.txt";

struct Outcome {
  bool exited = false;
  int status = -1;  // the exit status when it exited
  int signal = 0;   // the signal that ended it otherwise
  bool timedOut = false;
  long residentKb = 0;
  std::string out;
  std::string err;
};

void PrintTo(const Outcome& outcome, std::ostream* os) {
  *os << (outcome.timedOut ? "timed out"
          : outcome.exited ? "exit " + std::to_string(outcome.status)
                           : "signal " + std::to_string(outcome.signal))
      << ", " << outcome.residentKb << " KB resident; stderr: " << outcome.err.substr(0, 2000)
      << "; stdout: " << outcome.out.substr(0, 2000);
}

// One run of a tool as a child process, its output in files, limited like a support engineer's
// laptop would not be: so that a tool that grows with the log fails here, not there.
class ToolProcess {
 public:
  ToolProcess(const std::string& tool, const std::vector<std::string>& arguments,
              const fs::path& outputs)
      : outputs_(outputs) {
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(tool.c_str()));
    for (const std::string& argument : arguments)
      argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    std::string out = (outputs_ / "stdout").string();
    std::string err = (outputs_ / "stderr").string();
    pid_ = fork();
    if (pid_ == 0) {
      if (kMemoryLimited) {
        rlimit limit{kAddressSpaceLimit, kAddressSpaceLimit};
        setrlimit(RLIMIT_AS, &limit);
      }
      if (!freopen(out.c_str(), "w", stdout) || !freopen(err.c_str(), "w", stderr)) _exit(126);
      execv(tool.c_str(), argv.data());
      _exit(127);
    }
  }

  // Waits until the tool ends, or kills it after kMostRunTime.
  Outcome Wait() {
    Outcome outcome;
    if (pid_ <= 0) return outcome;
    auto deadline = std::chrono::steady_clock::now() + kMostRunTime;
    int status = 0;
    rusage usage{};
    while (wait4(pid_, &status, WNOHANG, &usage) == 0) {
      if (std::chrono::steady_clock::now() > deadline) {
        kill(pid_, SIGKILL);
        wait4(pid_, &status, 0, &usage);
        outcome.timedOut = true;
        break;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    outcome.exited = WIFEXITED(status) && !outcome.timedOut;
    outcome.status = outcome.exited ? WEXITSTATUS(status) : -1;
    outcome.signal = WIFSIGNALED(status) ? WTERMSIG(status) : 0;
    outcome.residentKb = usage.ru_maxrss;
    outcome.out = ReadFile(outputs_ / "stdout");
    outcome.err = ReadFile(outputs_ / "stderr");
    return outcome;
  }

 private:
  fs::path outputs_;
  pid_t pid_ = -1;
};

// The log's text as the tracer writes it.
const std::string kMemoryTransferAfterHeader =
    report_test::Result("TWRC_SUCCESS") +
    report_test::Lines({"  TW_IMAGEMEMXFER = {", "    Compression  = [TWCP_NONE]",
                        "    BytesPerRow  = [1860]", "    Columns      = [620]",
                        "    Rows         = [70]", "    XOffset      = [0]",
                        "    YOffset      = [0]", "    BytesWritten = [130200]",
                        "    Memory       =", "    TW_MEMORY = {", "      Flags  = [0x9]",
                        "      Length = [130200]", "      TheMem = <0xbb92e4d0>", "    }", "}"}) +
    report_test::State(7);

std::string MemoryTransferEntry(long long sequence) {
  return report_test::Header(sequence, "DG_IMAGE/DAT_IMAGEMEMXFER/MSG_GET") +
         kMemoryTransferAfterHeader;
}

const std::string kIdentityOnly = report_test::Entry(
    1, "DG_CONTROL/DAT_IDENTITY/MSG_GET",
    report_test::Lines({"  TW_IDENTITY = {", "    ProductName     = [Tandra 9000]", "  }"}), 3);

// Appends `count` copies of `text` in large writes.
void AppendRepeated(std::ofstream& out, const std::string& text, size_t count) {
  const size_t perBlock = std::max<size_t>(1, (1u << 20) / text.size());
  std::string block;
  for (size_t i = 0; i < perBlock; ++i) block += text;
  for (size_t done = 0; done < count; done += perBlock) {
    size_t copies = std::min(perBlock, count - done);
    out.write(block.data(), static_cast<std::streamsize>(copies * text.size()));
  }
}

// Ended by itself with `status`, in bounded memory, with an output of at most `mostOutput`
// bytes whose stdout matches each of `patterns`.
void ExpectEnded(const Outcome& outcome, int status,
                 std::initializer_list<const char*> patterns = {},
                 size_t mostOutput = kMostOutputBytes) {
  const std::string shown = testing::PrintToString(outcome);
  EXPECT_TRUE(!outcome.timedOut && outcome.exited && outcome.status == status)
      << "expected exit " << status << ", got " << shown;
  EXPECT_LE(outcome.out.size() + outcome.err.size(), mostOutput) << shown;
  for (const char* pattern : patterns) {
    EXPECT_TRUE(std::regex_search(outcome.out, std::regex(pattern))) << pattern << "\n" << shown;
  }
  if (kMemoryLimited) {
    EXPECT_LE(outcome.residentKb, kMostResidentKb) << "peak resident memory, KB";
  }
}

class BadInput : public testing::Test {
 protected:
  void SetUp() override {
    const testing::TestInfo* test = testing::UnitTest::GetInstance()->current_test_info();
    dir_ = fs::path(BAD_INPUT_OUTPUT) / test->name();
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  // The inputs are big: nothing stays behind of a test that passed.
  void TearDown() override {
    if (!HasFailure()) fs::remove_all(dir_);
  }

  // A file named as the data source names its logs, with the load time in the name.
  fs::path LogPath(const std::string& time = "093012_0457") const {
    return dir_ / ("Twainlog_20260105_" + time + ".txt");
  }
  fs::path WriteLog(const std::string& content) const {
    fs::path path = LogPath();
    std::ofstream(path, std::ios::binary) << content;
    return path;
  }

  // The tool started on `arguments`, its output under a folder named after `run`.
  ToolProcess Start(const std::string& tool, const std::vector<std::string>& arguments,
                    const std::string& run = "run") const {
    fs::create_directories(dir_ / run);
    return ToolProcess(tool, arguments, dir_ / run);
  }
  Outcome Run(const std::string& tool, const std::vector<std::string>& arguments) const {
    return Start(tool, arguments).Wait();
  }
  Outcome Replay(const fs::path& log) const {
    return Run(REPLAY_TOOL, {"--quiet", log.string(), REPLAY_SAMPLE});
  }

  // The report ends well and says what `patterns` say, and its page opens at once. Gives the
  // text report's run.
  Outcome ExpectReported(const fs::path& log, std::initializer_list<const char*> patterns) const {
    Outcome text = Run(REPORT_TOOL, {log.string()});
    ExpectEnded(text, 0, patterns);
    fs::path page = dir_ / "page.html";
    ExpectEnded(Run(REPORT_TOOL, {"--html", page.string(), log.string()}), 0);
    const uintmax_t pageBytes = fs::exists(page) ? fs::file_size(page) : 0;
    EXPECT_GT(pageBytes, 0u);
    EXPECT_LE(pageBytes, kMostPageBytes);
    return text;
  }

  // The replay, which has nothing to play, names the log, says so and counts it as wrong use.
  void ExpectNothingToReplay(const fs::path& log) const {
    Outcome replay = Replay(log);
    ExpectEnded(replay, 2);
    EXPECT_NE(replay.err.find(log.filename().string()), std::string::npos) << replay.err;
    EXPECT_NE(replay.err.find("no triplet"), std::string::npos) << replay.err;
  }

  fs::path dir_;
};

TEST_F(BadInput, EmptyLogIsReportedAsEmptyAndHasNothingToReplay) {
  fs::path log = WriteLog("");
  ExpectReported(log, {"Twainlog_20260105_093012_0457\\.txt", "Triplets: +0\\b"});
  ExpectNothingToReplay(log);
}

TEST_F(BadInput, BinaryNoiseIsCountedAsUnrecognizedLinesAndListedEscaped) {
  std::string noise;
  uint32_t seed = 2463534242u;  // xorshift: the same noise on every run
  for (int i = 0; i < (4 << 20); ++i) {
    seed ^= seed << 13;
    seed ^= seed >> 17;
    seed ^= seed << 5;
    noise += static_cast<char>(seed);
  }
  fs::path log = WriteLog(noise);
  Outcome report = ExpectReported(log, {"Unrecognized lines: +[1-9]", "Triplets: +0\\b"});
  // The terminal gets no control bytes from the log.
  for (char c : report.out) {
    ASSERT_FALSE((c >= 0 && c < 0x20 && c != '\n') || c == 0x7f) << "control byte " << int(c);
  }
  ExpectNothingToReplay(log);
}

// One line of 100 MB between two entries: the line is one unrecognized line, shown cut, and the
// entries around it are read.
TEST_F(BadInput, LineOf100MegabytesIsOneUnrecognizedLineBetweenEntries) {
  fs::path log = LogPath();
  {
    std::ofstream out(log, std::ios::binary);
    out << ReadFile(kFixtureSession);
    AppendRepeated(out, std::string(1 << 16, 'x'), 1600);
    out << "\r\n" << MemoryTransferEntry(26);
  }
  ASSERT_GE(fs::file_size(log), 100u << 20);
  ExpectReported(log, {"Unrecognized lines: +1\\b", "Triplets: +26\\b"});
  // The fixture's scanner is not the sample's.
  ExpectEnded(Replay(log), 1, {"Summary: \\d+ calls replayed"});
}

// A log cut inside its last entry, as when the host died: the report says where it ends, the
// replay skips the entry it cannot make again and plays the rest.
TEST_F(BadInput, LogCutInsideAnEntrySaysWhereItEnds) {
  std::string session = ReadFile(kFixtureSession);
  size_t cut = session.find("[00008]");
  ASSERT_NE(cut, std::string::npos);
  cut = session.find("TW_", cut);  // inside the entry's dump
  fs::path log = WriteLog(session.substr(0, cut + 5));
  ExpectReported(log, {"ends inside triplet #00008"});
  ExpectEnded(Replay(log), 1, {"Summary: \\d+ calls replayed, [1-9]\\d* skipped"});
}

// Two loads that wrote one file (the same name within a millisecond): the numbering restarts.
TEST_F(BadInput, EntriesOfTwoLoadsInOneFileAreReadAsTwoLoads) {
  std::string session = ReadFile(kFixtureSession);
  fs::path log = WriteLog(session + session);
  ExpectReported(log, {"Triplets: +50\\b", "several loads"});
  ExpectEnded(Replay(log), 1, {"2 loads of the data source"});
}

// Ten million lines in no form of the log, kept short (3 bytes each, 30 MB) so that making and
// reading them takes CI seconds: counted, the first few listed, the rest summed up.
TEST_F(BadInput, TenMillionUnrecognizedLinesAreCountedNotHeld) {
  fs::path log = LogPath();
  {
    std::ofstream out(log, std::ios::binary);
    out << kIdentityOnly;
    AppendRepeated(out, "~\r\n", 10'000'000);
  }
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
  EXPECT_EQ(report.out.find("=== Log 2 of"), std::string::npos);

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
    fs::path log = LogPath(replay ? "093013_0000" : "093012_0457");
    long long next = 1;
    {
      std::ofstream out(log, std::ios::binary);
      out << kIdentityOnly;
      for (next = 2; next <= 2000; ++next) out << MemoryTransferEntry(next);
    }
    ToolProcess tool = replay
                           ? Start(REPLAY_TOOL, {"--quiet", log.string(), REPLAY_SAMPLE}, "replay")
                           : Start(REPORT_TOOL, {log.string()}, "report");
    std::atomic<bool> stop{false};
    // Whole entries while the tool runs, up to a size that the report reads in seconds and the
    // replay, which calls the source for every entry, in less than a minute.
    const uintmax_t mostBytes = replay ? 8u << 20 : 200u << 20;
    std::thread writer([&] {
      std::ofstream out(log, std::ios::binary | std::ios::app);
      while (!stop && fs::file_size(log) < mostBytes) {
        std::string chunk;
        for (int i = 0; i < 100; ++i) chunk += MemoryTransferEntry(next++);
        out << chunk << std::flush;
      }
    });
    Outcome outcome = tool.Wait();
    stop = true;
    writer.join();
    // The memory transfers without a page before them do not answer alike.
    ExpectEnded(outcome, replay ? 1 : 0,
                {replay ? "Summary: \\d+ calls replayed" : "Triplets: +\\d"});
    fs::remove(log);
  }
}

}  // namespace
