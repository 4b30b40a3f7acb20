// One line per log of a folder, so that the log of the session stands out among the short ones
// the source manager leaves when it loads a source only to ask for its identity.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "report/report_model.h"

namespace report {

enum class LogContent {
  kSession,           // at least one triplet beyond identity requests
  kIdentityRequests,  // nothing but DG_CONTROL/DAT_IDENTITY/MSG_GET
  kEmpty,             // not a byte
  kMessagesOnly,      // logger messages, no triplet
  kNotALog,           // text, but nothing in the forms of the log
};

LogContent ContentOf(const Report& report);

struct IndexRow {
  size_t number = 0;  // 1-based, in load order; what --only names
  std::string path;
  LogContent content = LogContent::kSession;
  bool failed = false;  // at least one failure
  bool closedCleanly = false;
  bool sound = false;
  std::vector<std::string> cells;  // one text per column of IndexColumns()
};

struct IndexColumn {
  const char* heading;
  bool alignRight;
};

const std::vector<IndexColumn>& IndexColumns();

// The report is dropped once its row is made: a folder may hold a great many logs.
IndexRow IndexRowOf(const Report& report, size_t number);

// The index of the logs named on the command line and which of them are reported in full.
struct LogSetIndex {
  std::vector<IndexRow> rows;        // the logs read, in load order
  std::vector<std::string> notRead;  // "path: reason"
  std::vector<size_t> shown;         // row numbers whose full report follows
  bool chosen = false;               // `shown` was named with --only
};

// The logs with more than identity requests, unless `only` names rows.
std::vector<size_t> ShownRows(const std::vector<IndexRow>& rows, const std::vector<size_t>& only);

// "Full reports follow of ..." in one sentence.
std::string ShownText(const LogSetIndex& index);

// "no: 1 cut entry, 4 unrecognized lines, ends inside #00006"; "yes" for a sound log.
std::string SoundnessText(const Report& report);

}  // namespace report
