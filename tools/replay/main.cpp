// twaintrace-replay: plays the application's side of a TwainTrace log against a data source and
// says where the source now answers differently.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <iostream>
#include <string>
#include <variant>
#include <vector>

#include "log_reader/log_reader.h"
#include "log_reader/text_helpers.h"
#include "log_reader/triplet_entry.h"
#include "replay/replay_json.h"
#include "replay/replay_runner.h"
#include "twaintrace_version.h"

namespace {

const char kUsage[] =
    "Usage: twaintrace-replay [options] LOG DATA_SOURCE\n"
    "Replays the application's calls of a TwainTrace log against DATA_SOURCE (a shared object\n"
    "exporting DS_Entry) and prints every answer that differs from the log.\n"
    "  --stop-at-first   stop at the first call that answers differently\n"
    "  --quiet           print only the summary\n"
    "  --verbose         also print every notice the data source sent the source manager\n"
    "  --json FILE       also write the outcome as JSON to FILE\n"
    "  --most-listed N   list at most N divergences, skips and notices in the JSON, count the\n"
    "                    rest (default 1000)\n"
    "  --timeout SECONDS how long one call may take before the source counts as hung (default 10)\n"
    "  --help            show this text\n"
    "Exit status: 0 every call answered as logged, 1 some call did not (or the source crashed\n"
    "or hung), 2 wrong use, or a log or data source that cannot be read.\n";

// Unrecognized lines are listed up to this many; the summary counts them all.
constexpr size_t kListedUnknownLines = 10;

struct Arguments {
  std::string log;
  std::string json;
  replay::ReplayOptions options;
  bool quiet = false;
};

enum class Parsed { kRun, kHelp, kError };

std::optional<long long> NumberWithin(const std::string& text, long long least, long long most) {
  std::optional<long long> number = log_reader::ParseInteger(text);
  if (!number || *number < least || *number > most) return std::nullopt;
  return number;
}

Parsed ParseArguments(int argc, char** argv, Arguments* arguments, std::string* error) {
  std::vector<std::string> positional;
  for (int i = 1; i < argc; ++i) {
    std::string option = argv[i];
    if (option == "--help") return Parsed::kHelp;
    if (option == "--stop-at-first") {
      arguments->options.stopAtFirst = true;
    } else if (option == "--quiet") {
      arguments->quiet = true;
    } else if (option == "--verbose") {
      arguments->options.verbose = true;
    } else if (option == "--json" || option == "--timeout" || option == "--most-listed") {
      if (i + 1 >= argc) {
        *error = option + " needs a value";
        return Parsed::kError;
      }
      std::string value = argv[++i];
      if (option == "--json") {
        arguments->json = value;
        continue;
      }
      const bool timeout = option == "--timeout";
      std::optional<long long> number =
          NumberWithin(value, timeout ? 1 : 0, timeout ? 3600 : 1000000);
      if (!number) {
        *error = "invalid value for " + option + ": " + value;
        return Parsed::kError;
      }
      if (timeout) {
        arguments->options.timeoutSeconds = static_cast<int>(*number);
      } else {
        arguments->options.mostListed = static_cast<size_t>(*number);
      }
    } else if (option.size() > 1 && option[0] == '-') {
      *error = "unknown option " + option;
      return Parsed::kError;
    } else {
      positional.push_back(option);
    }
  }
  if (positional.size() != 2) {
    *error = "expected LOG and DATA_SOURCE";
    return Parsed::kError;
  }
  arguments->log = positional[0];
  // A bare file name would send the dynamic loader searching the library path.
  arguments->options.dataSource =
      positional[1].find('/') == std::string::npos ? "./" + positional[1] : positional[1];
  return Parsed::kRun;
}

// The log's triplet entries read in one pass; its unrecognized lines are listed on `out` as
// they are passed, and a terminal is told how far the replay is.
class LogEntries : public replay::EntrySource {
 public:
  LogEntries(int fd, uint64_t size, std::ostream* out)
      : reader_(fd), size_(size), out_(out), progress_(isatty(STDERR_FILENO) == 1) {}
  ~LogEntries() override { EndProgress(); }

  const log_reader::Triplet* Next() override {
    while (const log_reader::LogItem* item = reader_.Next()) {
      if (const auto* raw = std::get_if<log_reader::RawEntry>(item)) {
        log_reader::ParseTriplet(*raw, ++entries_, &triplet_);
        ShowProgress();
        return &triplet_;
      }
      if (const auto* unknown = std::get_if<log_reader::UnknownLine>(item)) {
        if (out_ != nullptr && unknownLines_ < kListedUnknownLines) {
          *out_ << "line " << unknown->line.number << ": not a line of a TwainTrace log, ignored: "
                << log_reader::Shorten(log_reader::Printable(unknown->line.text), 60) << "\n";
        }
        ++unknownLines_;
      }
    }
    EndProgress();
    return nullptr;
  }

  // The replay process of a load reads on from its copy without a word.
  void Quiet() override {
    out_ = nullptr;
    progress_ = false;
  }

  size_t Entries() const { return entries_; }
  size_t UnknownLines() const { return unknownLines_; }
  const std::string& Error() const { return reader_.Error(); }

 private:
  // At most a few times a second, on one line that the next one overwrites.
  void ShowProgress() {
    if (!progress_) return;
    auto now = std::chrono::steady_clock::now();
    if (now - lastShown_ < std::chrono::milliseconds(250)) return;
    lastShown_ = now;
    unsigned percent =
        size_ > 0 ? static_cast<unsigned>(reader_.Offset() * 100 / std::max<uint64_t>(size_, 1))
                  : 0;
    std::cerr << "\rreplaying entry " << entries_ << ", " << std::min(percent, 100u)
              << "% of the log " << std::flush;
    shown_ = true;
  }

  void EndProgress() {
    if (!shown_) return;
    std::cerr << "\r" << std::string(48, ' ') << "\r" << std::flush;
    shown_ = false;
  }

  log_reader::LogReader reader_;
  log_reader::Triplet triplet_;
  uint64_t size_;
  std::ostream* out_;
  bool progress_;
  bool shown_ = false;
  std::chrono::steady_clock::time_point lastShown_{};
  size_t entries_ = 0;
  size_t unknownLines_ = 0;
};

void PrintSummary(const replay::ReplayResult& result, size_t unknownLines) {
  std::cout << "Summary: " << result.replayed << " calls replayed, " << result.Skipped()
            << " skipped, " << result.Diverged() << " diverged";
  if (result.loads > 1) std::cout << "; " << result.loads << " loads of the data source";
  if (unknownLines > 0) std::cout << "; " << unknownLines << " unrecognized log lines ignored";
  std::cout << "\n";
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2 && std::string(argv[1]) == "--version") {
    std::cout << "twaintrace-replay " TWAINTRACE_VERSION "\n";
    return 0;
  }
  Arguments arguments;
  std::string error;
  switch (ParseArguments(argc, argv, &arguments, &error)) {
    case Parsed::kHelp:
      std::cout << kUsage;
      return 0;
    case Parsed::kError:
      std::cerr << "twaintrace-replay: " << error << "\n" << kUsage;
      return 2;
    case Parsed::kRun:
      break;
  }

  int fd = open(arguments.log.c_str(), O_RDONLY | O_CLOEXEC);
  struct stat status {};
  // Each load's replay process reads on from its own position in the file, which a pipe
  // has not.
  if (fd < 0 || fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
    std::cerr << "twaintrace-replay: cannot read the log " << arguments.log << ": "
              << (fd < 0 ? strerror(errno) : "not a regular file") << "\n";
    if (fd >= 0) close(fd);
    return 2;
  }
  std::ostream* out = arguments.quiet ? nullptr : &std::cout;
  LogEntries entries(fd, static_cast<uint64_t>(status.st_size), out);
  replay::ReplayResult result = replay::Replay(entries, arguments.options, out);
  close(fd);
  if (!entries.Error().empty()) {
    std::cerr << "twaintrace-replay: cannot read the log " << arguments.log << ": "
              << entries.Error() << "\n";
    return 2;
  }
  if (entries.Entries() == 0) {
    std::cerr << "twaintrace-replay: " << arguments.log << " holds no triplet entries\n";
    return 2;
  }
  size_t unknownLines = entries.UnknownLines();
  if (result.loadError) {
    std::cerr << "twaintrace-replay: cannot load the data source: " << *result.loadError << "\n";
    return 2;
  }
  // Even a quiet replay says where the source crashed or hung.
  if (arguments.quiet && result.aborted) std::cout << replay::AbortLine(*result.aborted) << "\n";
  PrintSummary(result, unknownLines);
  if (!arguments.json.empty()) {
    std::ofstream json(arguments.json, std::ios::binary | std::ios::trunc);
    json << replay::ResultJson(arguments.log, arguments.options.dataSource, result);
    if (!json.flush()) {
      std::cerr << "twaintrace-replay: cannot write " << arguments.json << "\n";
      return 2;
    }
  }
  return result.Diverged() == 0 ? 0 : 1;
}
