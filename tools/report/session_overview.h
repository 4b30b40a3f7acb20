// The session at a glance: when the data source was loaded, how many triplets and failures,
// how far the TWAIN state went, whether the session closed cleanly, and how sound the log is.
#pragma once

#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "log_reader/log_lines.h"
#include "log_reader/logger_message.h"
#include "log_reader/triplet_entry.h"
#include "report/entry_mark.h"

namespace report {

// "Twainlog_20260105_093012_0457.txt" gives "2026-01-05 09:30:12.457". The milliseconds were
// rounded and may read 1000, which carries into the seconds.
std::optional<std::string> LoadTimeFromFileName(std::string_view fileName);

struct Overview {
  std::string fileName;
  std::optional<std::string> loadTime;
  std::string dataSource;  // product name the source gave when it was opened

  size_t triplets = 0;
  size_t withoutHeader = 0;
  size_t failures = 0;
  std::optional<long long> firstSequence;
  std::optional<long long> lastSequence;
  size_t sequenceGaps = 0;      // running numbers skipped: headers lost from the log
  size_t sequenceRestarts = 0;  // another load appended to the same file

  size_t stateLines = 0;
  std::optional<int> highestState;
  std::optional<int> lastState;
  bool closedCleanly = false;

  size_t cutEntries = 0;
  size_t incompleteEntries = 0;             // entries cut short before the log's last one
  std::optional<EntryMark> unfinishedLast;  // the last triplet when the log ends in it
  size_t unrecognizedLines = 0;
  size_t loggerMessages = 0;
  std::map<std::string, size_t> messagesByLevel;
};

// Counts what the overview tells, one item at a time.
class OverviewCollector {
 public:
  explicit OverviewCollector(std::string fileName);
  void Take(const log_reader::Triplet& triplet);
  void Take(const log_reader::LoggerMessage& message);
  void TakeUnrecognizedLine() { ++overview_.unrecognizedLines; }
  Overview Finish(size_t failures) &&;

 private:
  Overview overview_;
  std::optional<EntryMark> lastIncomplete_;  // the last triplet, when the tracer did not finish it
};

}  // namespace report
