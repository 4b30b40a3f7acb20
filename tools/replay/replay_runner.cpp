#include "replay/replay_runner.h"

#include <poll.h>
#include <signal.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sstream>
#include <variant>

#include "analyzer/para_analyze.h"
#include "common/host_memory.h"
#include "common/source_manager.h"
#include "log_reader/log_reader.h"
#include "log_reader/log_splitter.h"
#include "names/triplet_names.h"
#include "platform/source_manager_memory.h"
#include "replay/awaited_notices.h"
#include "replay/call_input.h"

namespace replay {

namespace {

// A source that floods the source manager with notices gets this many listed for each call; the
// rest are counted.
constexpr size_t kListedNotices = 16;
// Beyond --timeout for a notice the child waits for, before the parent counts it as hung.
constexpr int kWaitMarginMs = 5000;
// An application's event loop hands the source every event; beyond this many the source will
// not claim one.
constexpr int kMostEventPolls = 100;
// Far more than the tracer's text limit, so that a replayed call's text is never cut.
constexpr size_t kTextSize = 1 << 16;
constexpr int kInitialState = 3;  // as the data source sets it when its log opens

// An entry kept past the source's next call: its bytes copied and read again.
struct HeldEntry {
  std::string raw;
  log_reader::Triplet triplet;
  bool valid = false;
};

void Hold(const log_reader::Triplet& entry, HeldEntry* held) {
  held->raw.assign(entry.raw.data(), entry.raw.size());
  log_reader::LogReader reader(held->raw);
  const log_reader::LogItem* item = reader.Next();
  const auto* raw = item != nullptr ? std::get_if<log_reader::RawEntry>(item) : nullptr;
  held->triplet = raw != nullptr ? log_reader::ParseTriplet(*raw, entry.ordinal) : entry;
  held->triplet.firstLine = entry.firstLine;
  held->triplet.offset = entry.offset;
  held->valid = true;
}

// The entry being played and the one after it, and where a load of the data source ends:
// each load begins its running numbers again at 1.
class Entries {
 public:
  explicit Entries(EntrySource& source) : source_(source) {
    Pull(&held_[0]);
    Pull(&held_[1]);
  }

  bool HasCurrent() const { return held_[current_].valid; }
  const log_reader::Triplet& Current() const { return held_[current_].triplet; }
  size_t Index() const { return Current().ordinal - 1; }
  bool IsLast() const { return !held_[1 - current_].valid; }
  void Quiet() { source_.Quiet(); }

  void BeginLoad() { atLoadStart_ = true; }
  bool AtLoadEnd() const {
    return !HasCurrent() ||
           (!atLoadStart_ && Current().hasHeader && Current().sequence <= lastSequence_);
  }
  void Advance() {
    if (Current().hasHeader) lastSequence_ = Current().sequence;
    atLoadStart_ = false;
    // The entries stay where they are, so that their views stay valid.
    Pull(&held_[current_]);
    current_ = 1 - current_;
  }
  // Moves on to the entry of index `index` within the load; false when the load has none.
  bool SeekTo(size_t index) {
    while (!AtLoadEnd() && Index() < index) Advance();
    return !AtLoadEnd() && Index() == index;
  }
  void SkipToLoadEnd() {
    while (!AtLoadEnd()) Advance();
  }

 private:
  void Pull(HeldEntry* held) {
    const log_reader::Triplet* entry = source_.Next();
    held->valid = entry != nullptr;
    if (entry != nullptr) Hold(*entry, held);
  }

  EntrySource& source_;
  HeldEntry held_[2];
  int current_ = 0;
  long long lastSequence_ = 0;
  bool atLoadStart_ = true;
};

// ---- The child: loads the source and makes the calls; everything it learns goes to the pipe.

void WriteAll(int fd, const std::string& bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    ssize_t written = write(fd, bytes.data() + done, bytes.size() - done);
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) _exit(3);  // the replay stopped listening
    done += static_cast<size_t>(written);
  }
}

TW_UINT16 MakeCall(SourceManager& manager, CallInput& input) {
  switch (input.Kind()) {
    case CallKind::kEntryPoints:
      return manager.HandOverEntryPoints();
    case CallKind::kEventLoop: {
      TW_UINT16 rc = TWRC_NOTDSEVENT;
      for (int poll = 0; poll < kMostEventPolls && rc == TWRC_NOTDSEVENT; ++poll) {
        if (input.Data() != nullptr) input.As<TW_EVENT>()->TWMessage = MSG_NULL;
        rc = manager.Call(input.Group(), input.ArgumentType(), input.Message(), input.Data());
      }
      return rc;
    }
    case CallKind::kOnce:
      break;
  }
  return manager.Call(input.Group(), input.ArgumentType(), input.Message(), input.Data());
}

// The text the tracer writes for the call, made by the same analyzer.
std::string TraceText(CParaAnalyze& analyzer, CallInput& input, TW_UINT16 rc) {
  static char text[kTextSize];
  memset(text, 0, sizeof(text));
  char* data = static_cast<char*>(input.Data());
  analyzer.TripletAnalyze(nullptr, nullptr, input.Group(), input.ArgumentType(), input.Message(),
                          data, text, sizeof(text));
  analyzer.ParaAnalyze(nullptr, nullptr, input.Group(), input.ArgumentType(), input.Message(), data,
                       rc, text, sizeof(text));
  return text;
}

std::string MessageText(TW_UINT16 msg) {
  char scratch[kMacroNameSize];
  NameText name = MessageName(msg, scratch);
  return std::string(name.text, name.length);
}

// The source's notices since the last look, told the replay as the entry's; each that was
// accepted is one the application no longer waits for.
void ReportNotices(int fd, SourceManager& manager, AwaitedNotices* awaited, size_t entry) {
  size_t unlisted = 0;
  for (const SourceNotice& notice : manager.TakeNotices()) {
    if (notice.accepted) awaited->Received(notice.message);
    if (++unlisted > kListedNotices) continue;
    std::string refusal = notice.refusal;
    for (char& c : refusal) {
      if (c == '\n' || c == '\r') c = ' ';
    }
    WriteAll(fd, "N " + std::to_string(entry) + " " + (notice.accepted ? "1 " : "0 ") +
                     MessageText(notice.message) + " " + refusal + "\n");
  }
  if (unlisted > kListedNotices) {
    WriteAll(fd,
             "O " + std::to_string(entry) + " " + std::to_string(unlisted - kListedNotices) + "\n");
  }
}

// Waits, as the logged application did, for the notice it waited for before the entry.
void AwaitNotice(int fd, SourceManager& manager, AwaitedNotices* awaited, size_t entry,
                 TW_UINT16 notice, int timeoutSeconds) {
  const std::string named = std::to_string(entry) + " " + MessageText(notice) + "\n";
  WriteAll(fd, "W " + named);
  bool came = manager.WaitForNotice(notice, std::chrono::seconds(timeoutSeconds));
  ReportNotices(fd, manager, awaited, entry);
  if (!came) WriteAll(fd, "M " + named);
}

bool IsStatusRequest(const log_reader::Triplet& entry) {
  return entry.hasHeader && entry.argumentType == "DAT_STATUS";
}

[[noreturn]] void RunChild(int fd, const ReplayOptions& options, Entries& entries) {
  entries.Quiet();
  // The analyzer reads containers as the data source's own copy would.
  if (kLinuxSourceManagerAbi) {
    TW_ENTRYPOINT memory = HostMemory::EntryPoint(nullptr);
    KeepSourceManagerMemory(&memory);
  }
  SourceManager manager;
  std::string error;
  if (!manager.Load(options.dataSource, &error)) {
    WriteAll(fd, "L " + error + "\n");
    _exit(0);
  }
  WriteAll(fd, "L\n");
  CParaAnalyze analyzer;
  analyzer.SetTwainStatus(kInitialState);
  bool previousSkipped = false;
  AwaitedNotices awaited;
  bool anyEntry = false;
  size_t i = 0;
  for (; !entries.AtLoadEnd(); entries.Advance()) {
    i = entries.Index();
    anyEntry = true;
    const log_reader::Triplet& entry = entries.Current();
    Rebuilt rebuilt = RebuildCall(entry, entries.IsLast());
    if (previousSkipped && IsStatusRequest(entry)) {
      rebuilt = std::string("the status it asks for is that of the skipped call before it");
    }
    previousSkipped = std::holds_alternative<std::string>(rebuilt);
    if (std::string* reason = std::get_if<std::string>(&rebuilt)) {
      WriteAll(fd, "S " + std::to_string(i) + " " + *reason + "\n");
      continue;
    }
    CallInput& input = std::get<CallInput>(rebuilt);
    TW_UINT16 notice = awaited.Before(entry, input.Group(), input.ArgumentType(), input.Message());
    if (notice != 0) AwaitNotice(fd, manager, &awaited, i, notice, options.timeoutSeconds);
    WriteAll(fd, "B " + std::to_string(i) + "\n");
    TW_UINT16 rc = MakeCall(manager, input);
    awaited.After(entry, input.ArgumentType(), input.Message());
    ReportNotices(fd, manager, &awaited, i);
    std::string text = TraceText(analyzer, input, rc);
    WriteAll(fd, "E " + std::to_string(i) + " " + std::to_string(rc) + " " +
                     std::to_string(text.size()) + "\n" + text);
  }
  WriteAll(fd, "U\n");
  manager.Unload();
  // What the source sent while it was closed and unloaded, told as the last entry's.
  if (anyEntry) ReportNotices(fd, manager, &awaited, i);
  WriteAll(fd, "X\n");
  _exit(0);
}

// ---- The parent: reads what the child reports, with a time limit on every wait.

enum class ReadStatus { kOk, kEnd, kTimeout };

class PipeReader {
 public:
  PipeReader(int fd, int timeoutSeconds) : fd_(fd), timeoutMs_(timeoutSeconds * 1000) {}

  ReadStatus ReadLine(std::string* line) {
    for (;;) {
      size_t newline = pending_.find('\n');
      if (newline != std::string::npos) {
        *line = pending_.substr(0, newline);
        pending_.erase(0, newline + 1);
        graceMs_ = 0;
        return ReadStatus::kOk;
      }
      ReadStatus status = Fill();
      if (status != ReadStatus::kOk) return status;
    }
  }

  ReadStatus Bytes(size_t count, std::string* bytes) {
    while (pending_.size() < count) {
      ReadStatus status = Fill();
      if (status != ReadStatus::kOk) return status;
    }
    *bytes = pending_.substr(0, count);
    pending_.erase(0, count);
    return ReadStatus::kOk;
  }

  // The next line may come this much later: the child waits for a notice before its call.
  void Grant(int milliseconds) { graceMs_ = milliseconds; }

 private:
  ReadStatus Fill() {
    pollfd watched{fd_, POLLIN, 0};
    int ready;
    do {
      ready = poll(&watched, 1, timeoutMs_ + graceMs_);
    } while (ready < 0 && errno == EINTR);
    if (ready == 0) return ReadStatus::kTimeout;
    char chunk[65536];
    ssize_t got;
    do {
      got = read(fd_, chunk, sizeof(chunk));
    } while (got < 0 && errno == EINTR);
    if (got <= 0) return ReadStatus::kEnd;
    pending_.append(chunk, static_cast<size_t>(got));
    return ReadStatus::kOk;
  }

  int fd_;
  int timeoutMs_;
  int graceMs_ = 0;
  std::string pending_;
};

// The signals a data source dies of, by name; sigabbrev_np is the GNU C library's alone.
const char* SignalName(int signal) {
  switch (signal) {
    case SIGABRT:
      return "SIGABRT";
    case SIGSEGV:
      return "SIGSEGV";
    case SIGBUS:
      return "SIGBUS";
    case SIGILL:
      return "SIGILL";
    case SIGFPE:
      return "SIGFPE";
    case SIGKILL:
      return "SIGKILL";
    case SIGTERM:
      return "SIGTERM";
    case SIGPIPE:
      return "SIGPIPE";
    case SIGTRAP:
      return "SIGTRAP";
    case SIGSYS:
      return "SIGSYS";
    default:
      return nullptr;
  }
}

std::string SignalText(int signal) {
  const char* name = SignalName(signal);
  return "signal " + std::to_string(signal) + (name != nullptr ? ", " + std::string(name) : "");
}

std::string ReturnCodeName(TW_UINT16 rc) {
  char scratch[kMacroNameSize];
  return LookupName(twrc_macros, rc, scratch).text;
}

log_reader::Triplet ReadBack(const std::string& text, size_t ordinal) {
  for (const log_reader::LogItem& item : log_reader::SplitLog(text)) {
    if (const log_reader::RawEntry* raw = std::get_if<log_reader::RawEntry>(&item)) {
      return log_reader::ParseTriplet(*raw, ordinal);
    }
  }
  return log_reader::Triplet{};
}

EntryNote NoteOf(const log_reader::Triplet& entry) {
  EntryNote note;
  note.label = EntryLabel(entry);
  note.line = entry.firstLine;
  return note;
}

void Print(std::ostream* out, const std::string& line) {
  if (out != nullptr) *out << line << "\n" << std::flush;
}

// One load of the data source: the entries from `begin` to `end`. False when the replay must
// end: the source did not load, crashed or hung, or the first divergence was asked for.
class LoadReplay {
 public:
  LoadReplay(Entries& entries, const ReplayOptions& options, std::ostream* out,
             ReplayResult* result)
      : entries_(entries), options_(options), out_(out), result_(result) {}

  bool Run() {
    int fds[2];
    if (pipe(fds) != 0) return Fail("cannot make a pipe: " + std::string(strerror(errno)));
    fflush(nullptr);
    pid_t child = fork();
    if (child < 0) return Fail("cannot start the replay process: " + std::string(strerror(errno)));
    if (child == 0) {
      close(fds[0]);
      RunChild(fds[1], options_, entries_);
    }
    close(fds[1]);
    child_ = child;
    bool goOn = Watch(fds[0]);
    close(fds[0]);
    // A child stopped early (the first divergence) is ended; a finished one only collected.
    if (child_ > 0) Reap(!finished_);
    return goOn;
  }

 private:
  bool Fail(const std::string& message) {
    result_->loadError = message;
    return false;
  }

  bool Watch(int fd) {
    PipeReader reader(fd, options_.timeoutSeconds);
    std::string line;
    for (;;) {
      ReadStatus status = reader.ReadLine(&line);
      if (status == ReadStatus::kTimeout) return Hung();
      if (status == ReadStatus::kEnd) return Died();
      switch (line.empty() ? ' ' : line[0]) {
        case 'L':
          if (line.size() > 2) return Fail(line.substr(2));
          ++result_->loads;
          current_ = "while making the first call";
          break;
        case 'S':
          if (!Skipped(line)) return false;
          break;
        case 'W':
          reader.Grant(options_.timeoutSeconds * 1000 + kWaitMarginMs);
          break;
        case 'N':
          if (!Noticed(line)) return Fail("the replay process reported nonsense");
          break;
        case 'O':
          if (!Unlisted(line)) return Fail("the replay process reported nonsense");
          break;
        case 'M':
          if (!NoticeMissing(line)) return Fail("the replay process reported nonsense");
          break;
        case 'B':
          current_.clear();
          if (!entries_.SeekTo(std::strtoul(line.c_str() + 2, nullptr, 10))) {
            return Fail("the replay process reported nonsense");
          }
          break;
        case 'E':
          if (!Ended(reader, line)) return false;
          break;
        case 'U':
          current_ = "while unloading the data source";
          break;
        case 'X':
          finished_ = true;
          return true;
        default:
          return Fail("the replay process reported nonsense");
      }
    }
  }

  template <typename Note>
  void Keep(Note note, std::vector<Note>* listed, size_t* unlisted) const {
    if (listed->size() < options_.mostListed) {
      listed->push_back(std::move(note));
    } else {
      ++*unlisted;
    }
  }

  bool Skipped(const std::string& line) {
    char* rest = nullptr;
    size_t index = std::strtoul(line.c_str() + 2, &rest, 10);
    if (!entries_.SeekTo(index)) return Fail("the replay process reported nonsense");
    EntryNote note = NoteOf(entries_.Current());
    note.reason = *rest == ' ' ? rest + 1 : rest;
    Print(out_, SkipLine(note));
    Keep(std::move(note), &result_->skipped, &result_->unlistedSkips);
    return true;
  }

  // "N <entry> <1 accepted|0 refused> <message> <why refused>"
  bool Noticed(const std::string& line) {
    std::istringstream fields(line.substr(2));
    size_t index = 0;
    int accepted = 0;
    NoticeNote notice;
    if (!(fields >> index >> accepted >> notice.message) || !entries_.SeekTo(index)) return false;
    std::getline(fields >> std::ws, notice.refusal);
    const EntryNote entry = NoteOf(entries_.Current());
    notice.label = entry.label;
    notice.line = entry.line;
    notice.accepted = accepted != 0;
    // A refused notice is a fault of the source's, shown even without --verbose.
    if (options_.verbose || !notice.accepted) Print(out_, NoticeLine(notice));
    Keep(std::move(notice), &result_->notices, &result_->unlistedNotices);
    return true;
  }

  // "O <entry> <count>": notices beyond those listed for the entry.
  bool Unlisted(const std::string& line) {
    std::istringstream fields(line.substr(2));
    size_t index = 0;
    size_t count = 0;
    if (!(fields >> index >> count) || !entries_.SeekTo(index)) return false;
    Print(out_, NoteOf(entries_.Current()).label + ": " + std::to_string(count) +
                    " more notices, not listed");
    result_->unlistedNotices += count;
    return true;
  }

  // "M <entry> <message>": the notice the application waited for before the entry never came.
  bool NoticeMissing(const std::string& line) {
    std::istringstream fields(line.substr(2));
    size_t index = 0;
    std::string message;
    if (!(fields >> index >> message) || !entries_.SeekTo(index)) return false;
    missingNotices_.push_back({index,
                               {"awaited notice", message,
                                "none within " + std::to_string(options_.timeoutSeconds) + " s"}});
    return true;
  }

  bool Ended(PipeReader& reader, const std::string& line) {
    size_t index = 0;
    unsigned rc = 0;
    size_t length = 0;
    if (sscanf(line.c_str(), "E %zu %u %zu", &index, &rc, &length) != 3 ||
        !entries_.SeekTo(index)) {
      return Fail("the replay process reported nonsense");
    }
    std::string text;
    if (reader.Bytes(length, &text) != ReadStatus::kOk) return Died();
    ++result_->replayed;
    const log_reader::Triplet& logged = entries_.Current();
    current_ = "after " + EntryLabel(logged);
    EntryNote note = NoteOf(logged);
    for (const auto& [entry, missing] : missingNotices_) {
      if (entry == index) note.divergences.push_back(missing);
    }
    missingNotices_.clear();
    for (Divergence& divergence : Compare(logged, ReadBack(text, logged.ordinal),
                                          ReturnCodeName(static_cast<TW_UINT16>(rc)))) {
      note.divergences.push_back(std::move(divergence));
    }
    if (note.divergences.empty()) return true;
    for (const std::string& divergence : DivergenceLines(note)) Print(out_, divergence);
    Keep(std::move(note), &result_->diverged, &result_->unlistedDivergences);
    return !options_.stopAtFirst;
  }

  // The entry the child was busy with, or what it was doing between calls.
  EntryNote Busy() const {
    if (current_.empty()) return NoteOf(entries_.Current());
    EntryNote note;
    note.label = current_;
    return note;
  }

  bool Hung() {
    EntryNote note = Busy();
    note.reason =
        "the data source did not return within " + std::to_string(options_.timeoutSeconds) + " s";
    Reap(true);
    return Abort(note);
  }

  bool Died() {
    EntryNote note = Busy();
    int status = Reap(false);
    if (WIFSIGNALED(status)) {
      note.reason = "the data source crashed (" + SignalText(WTERMSIG(status)) + ")";
    } else {
      note.reason = "the data source ended the process (exit status " +
                    std::to_string(WIFEXITED(status) ? WEXITSTATUS(status) : -1) + ")";
    }
    return Abort(note);
  }

  bool Abort(const EntryNote& note) {
    Print(out_, AbortLine(note));
    result_->aborted = note;
    return false;
  }

  int Reap(bool stop) {
    int status = 0;
    if (stop) kill(child_, SIGKILL);
    while (waitpid(child_, &status, 0) < 0 && errno == EINTR) {
    }
    child_ = -1;
    return status;
  }

  Entries& entries_;
  const ReplayOptions& options_;
  std::ostream* out_;
  ReplayResult* result_;
  pid_t child_ = -1;
  bool finished_ = false;
  std::string current_ = "while loading the data source";
  // Divergences of the entry about to be made: a notice its application waited for in vain.
  std::vector<std::pair<size_t, Divergence>> missingNotices_;
};

}  // namespace

std::string EntryLabel(const log_reader::Triplet& entry) {
  std::string label;
  if (entry.hasHeader) {
    label = "#" + log_reader::SequenceText(entry) + " " + log_reader::TripletText(entry);
    if (entry.hasCapability) label += " (" + std::string(entry.capability) + ")";
  } else {
    label = "line " + std::to_string(entry.firstLine) + " DG_CONTROL/DAT_EVENT/MSG_PROCESSEVENT";
  }
  return label;
}

std::string SkipLine(const EntryNote& note) {
  return note.label + ": skipped: " + note.reason;
}

std::vector<std::string> DivergenceLines(const EntryNote& note) {
  std::vector<std::string> lines;
  for (const Divergence& divergence : note.divergences) {
    lines.push_back(note.label + ": " + divergence.field + " " + divergence.logged + " -> " +
                    divergence.replayed);
  }
  return lines;
}

std::string NoticeLine(const NoticeNote& notice) {
  return notice.label + ": notice " + notice.message +
         (notice.accepted ? " received" : " refused: " + notice.refusal);
}

std::string AbortLine(const EntryNote& note) {
  return note.label + ": " + note.reason;
}

ReplayResult Replay(EntrySource& source, const ReplayOptions& options, std::ostream* out) {
  ReplayResult result;
  Entries entries(source);
  for (bool first = true; entries.HasCurrent(); first = false) {
    if (!first) {
      Print(out, "line " + std::to_string(entries.Current().firstLine) +
                     ": a new load of the data source begins; replayed in a fresh process");
    }
    entries.BeginLoad();
    LoadReplay replay(entries, options, out, &result);
    if (!replay.Run()) break;
    entries.SkipToLoadEnd();
  }
  return result;
}

}  // namespace replay
