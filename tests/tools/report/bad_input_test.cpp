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
#include <regex>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

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
// The page of any log, however big, opens in a browser at once.
constexpr uintmax_t kMostPageBytes = 5u << 20;

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

std::string ReadWhole(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
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
    outcome.out = ReadWhole(outputs_ / "stdout");
    outcome.err = ReadWhole(outputs_ / "stderr");
    return outcome;
  }

 private:
  fs::path outputs_;
  pid_t pid_ = -1;
};

// The log's text as the tracer writes it: CR LF lines, the state after a success.
std::string MemoryTransferEntry(long long sequence) {
  char header[64];
  snprintf(header, sizeof(header), "[%05lld] [APP] DG_IMAGE/DAT_IMAGEMEMXFER/MSG_GET\r\n",
           sequence);
  return header + std::string(
                      "        Return Code = [TWRC_SUCCESS]\r\n"
                      "pData   = <0x6d9654b0>\r\n"
                      "  TW_IMAGEMEMXFER = {\r\n"
                      "    Compression  = [TWCP_NONE]\r\n"
                      "    BytesPerRow  = [1860]\r\n"
                      "    Columns      = [620]\r\n"
                      "    Rows         = [70]\r\n"
                      "    XOffset      = [0]\r\n"
                      "    YOffset      = [0]\r\n"
                      "    BytesWritten = [130200]\r\n"
                      "    Memory       =\r\n"
                      "    TW_MEMORY = {\r\n"
                      "      Flags  = [0x9]\r\n"
                      "      Length = [130200]\r\n"
                      "      TheMem = <0xbb92e4d0>\r\n"
                      "    }\r\n"
                      "}\r\n"
                      "\r\n"
                      "TWAIN Status = [7]\r\n");
}

const std::string kIdentityOnly =
    "[00001] [APP] DG_CONTROL/DAT_IDENTITY/MSG_GET\r\n"
    "        Return Code = [TWRC_SUCCESS]\r\n"
    "pData   = <0x0000a010>\r\n"
    "  TW_IDENTITY = {\r\n"
    "    ProductName     = [Tandra 9000]\r\n"
    "  }\r\n"
    "\r\n"
    "TWAIN Status = [3]\r\n";

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

  Outcome Run(const std::string& tool, const std::vector<std::string>& arguments) const {
    fs::path outputs = dir_ / "run";
    fs::create_directories(outputs);
    return ToolProcess(tool, arguments, outputs).Wait();
  }
  Outcome Report(const fs::path& log) const { return Run(REPORT_TOOL, {log.string()}); }
  // The page's size lands in `pageBytes`.
  Outcome HtmlReport(const fs::path& log, uintmax_t* pageBytes) const {
    fs::path page = dir_ / "page.html";
    Outcome outcome = Run(REPORT_TOOL, {"--html", page.string(), log.string()});
    *pageBytes = fs::exists(page) ? fs::file_size(page) : 0;
    return outcome;
  }
  Outcome Replay(const fs::path& log) const {
    return Run(REPLAY_TOOL, {"--quiet", log.string(), REPLAY_SAMPLE});
  }

  fs::path dir_;
};

// Ended by itself with `status`, in bounded memory.
void ExpectEnded(const Outcome& outcome, int status) {
  EXPECT_FALSE(outcome.timedOut) << testing::PrintToString(outcome);
  EXPECT_TRUE(outcome.exited) << testing::PrintToString(outcome);
  EXPECT_EQ(outcome.status, status) << testing::PrintToString(outcome);
  if (kMemoryLimited) {
    EXPECT_LE(outcome.residentKb, kMostResidentKb) << "peak resident memory, KB";
  }
}

bool Matches(const std::string& text, const std::string& pattern) {
  return std::regex_search(text, std::regex(pattern));
}

// The report of a log with no triplet names the log and says so; the replay, which has nothing
// to play, says so and counts it as wrong use.
void ExpectNothingToReplay(const Outcome& replay, const fs::path& log) {
  ExpectEnded(replay, 2);
  EXPECT_NE(replay.err.find(log.filename().string()), std::string::npos) << replay.err;
  EXPECT_TRUE(Matches(replay.err, "no triplet")) << replay.err;
}

TEST_F(BadInput, EmptyLogIsReportedAsEmptyAndHasNothingToReplay) {
  fs::path log = WriteLog("");
  Outcome report = Report(log);
  ExpectEnded(report, 0);
  EXPECT_TRUE(Matches(report.out, "Twainlog_20260105_093012_0457\\.txt")) << report.out;
  EXPECT_TRUE(Matches(report.out, "Triplets: +0\\b")) << report.out;
  ExpectNothingToReplay(Replay(log), log);
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
  Outcome report = Report(log);
  ExpectEnded(report, 0);
  EXPECT_TRUE(Matches(report.out, "Unrecognized lines: +[1-9]")) << report.out.substr(0, 2000);
  EXPECT_TRUE(Matches(report.out, "Triplets: +0\\b"));
  // The terminal gets no control bytes from the log.
  for (char c : report.out) {
    ASSERT_FALSE((c >= 0 && c < 0x20 && c != '\n') || c == 0x7f) << "control byte " << int(c);
  }
  EXPECT_LT(report.out.size(), 64u << 10);
  ExpectNothingToReplay(Replay(log), log);
}

// One line of 100 MB between two entries: the line is one unrecognized line, shown cut, and the
// entries around it are read.
TEST_F(BadInput, LineOf100MegabytesIsOneUnrecognizedLineBetweenEntries) {
  fs::path log = LogPath();
  {
    std::ofstream out(log, std::ios::binary);
    out << ReadWhole(kFixtureSession);
    AppendRepeated(out, std::string(1 << 16, 'x'), 1600);
    out << "\r\n" << MemoryTransferEntry(26);
  }
  ASSERT_GE(fs::file_size(log), 100u << 20);
  Outcome report = Report(log);
  ExpectEnded(report, 0);
  EXPECT_TRUE(Matches(report.out, "Unrecognized lines: +1\\b")) << report.out.substr(0, 4000);
  EXPECT_TRUE(Matches(report.out, "Triplets: +26\\b")) << report.out.substr(0, 4000);
  EXPECT_LT(report.out.size(), 64u << 10);

  uintmax_t pageBytes = 0;
  ExpectEnded(HtmlReport(log, &pageBytes), 0);
  EXPECT_GT(pageBytes, 0u);
  EXPECT_LE(pageBytes, kMostPageBytes);

  Outcome replay = Replay(log);
  ExpectEnded(replay, 1);  // the fixture's scanner is not the sample's
  EXPECT_TRUE(Matches(replay.out, "Summary: \\d+ calls replayed")) << replay.out;
}

// A log cut inside its last entry, as when the host died: the report says where it ends, the
// replay skips the entry it cannot make again and plays the rest.
TEST_F(BadInput, LogCutInsideAnEntrySaysWhereItEnds) {
  std::string session = ReadWhole(kFixtureSession);
  size_t cut = session.find("[00008]");
  ASSERT_NE(cut, std::string::npos);
  cut = session.find("TW_", cut);  // inside the entry's dump
  fs::path log = WriteLog(session.substr(0, cut + 5));
  Outcome report = Report(log);
  ExpectEnded(report, 0);
  EXPECT_TRUE(Matches(report.out, "ends inside triplet #00008")) << report.out;

  Outcome replay = Replay(log);
  ExpectEnded(replay, 1);
  EXPECT_TRUE(Matches(replay.out, "Summary: \\d+ calls replayed, [1-9]\\d* skipped")) << replay.out;
}

// Two loads that wrote one file (the same name within a millisecond): the numbering restarts.
TEST_F(BadInput, EntriesOfTwoLoadsInOneFileAreReadAsTwoLoads) {
  std::string session = ReadWhole(kFixtureSession);
  fs::path log = WriteLog(session + session);
  Outcome report = Report(log);
  ExpectEnded(report, 0);
  EXPECT_TRUE(Matches(report.out, "Triplets: +50\\b")) << report.out;
  EXPECT_TRUE(Matches(report.out, "several loads")) << report.out;

  Outcome replay = Replay(log);
  ExpectEnded(replay, 1);
  EXPECT_TRUE(Matches(replay.out, "2 loads of the data source")) << replay.out;
}

// Ten million lines in no form of the log, kept short (3 bytes each, 30 MB) so that making and
// reading them takes CI seconds: counted, the first few listed, the rest summed up.
TEST_F(BadInput, TenMillionUnrecognizedLinesAreCountedNotHeld) {
  constexpr size_t kLines = 10'000'000;
  fs::path log = LogPath();
  {
    std::ofstream out(log, std::ios::binary);
    out << kIdentityOnly;
    AppendRepeated(out, "~\r\n", kLines);
  }
  Outcome report = Report(log);
  ExpectEnded(report, 0);
  EXPECT_TRUE(Matches(report.out, "Unrecognized lines: +10,?000,?000\\b"))
      << report.out.substr(0, 4000);
  EXPECT_TRUE(Matches(report.out, "Triplets: +1\\b"));
  EXPECT_LT(report.out.size(), 64u << 10);

  uintmax_t pageBytes = 0;
  ExpectEnded(HtmlReport(log, &pageBytes), 0);
  EXPECT_GT(pageBytes, 0u);
  EXPECT_LE(pageBytes, kMostPageBytes);

  // Without --quiet the replay lists the first ten; the sample is not the logged scanner.
  Outcome replay = Run(REPLAY_TOOL, {log.string(), REPLAY_SAMPLE});
  ExpectEnded(replay, 1);
  EXPECT_TRUE(Matches(replay.out, "Summary: 1 calls? replayed.* 10,?000,?000 unrecognized"))
      << replay.out.substr(0, 4000);
  EXPECT_LT(replay.out.size() + replay.err.size(), 64u << 10);
}

// A customer's whole LOG folder after months: 10,000 identity requests and one session. The
// index lists them all, and only the session gets a full report.
TEST_F(BadInput, FolderOf10000LogsIsIndexedAndTheSessionReported) {
  constexpr int kLogs = 10000;
  fs::path folder = dir_ / "LOG";
  fs::create_directories(folder);
  for (int i = 0; i < kLogs; ++i) {
    char name[64];
    snprintf(name, sizeof(name), "Twainlog_20260106_%02d%02d%02d_%04d.txt", i / 3600, i / 60 % 60,
             i % 60, i % 1000);
    std::ofstream(folder / name, std::ios::binary) << kIdentityOnly;
  }
  fs::copy_file(kFixtureSession, folder / "Twainlog_20260105_093012_0457.txt");
  Outcome report = Run(REPORT_TOOL, {folder.string()});
  ExpectEnded(report, 0);
  EXPECT_TRUE(Matches(report.out, "TwainTrace log index: 10,?001 logs"))
      << report.out.substr(0, 2000);
  EXPECT_TRUE(Matches(report.out,
                      "Full reports follow of the logs with more than identity "
                      "requests: 1\\."));
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
    fs::path outputs = dir_ / (replay ? "replay" : "report");
    fs::create_directories(outputs);
    std::vector<std::string> arguments = {log.string()};
    if (replay) arguments = {"--quiet", log.string(), REPLAY_SAMPLE};
    ToolProcess tool(replay ? REPLAY_TOOL : REPORT_TOOL, arguments, outputs);
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
    ExpectEnded(outcome, replay ? 1 : 0);
    EXPECT_TRUE(Matches(outcome.out, replay ? "Summary: \\d+ calls replayed" : "Triplets: +\\d"))
        << outcome.out.substr(0, 2000);
    fs::remove(log);
  }
}

}  // namespace
