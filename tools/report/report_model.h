// Everything the report tells about one log, read in one pass and shared by the text and HTML
// pages. It keeps counts, the entries it names and bounded lists, never the log itself: a log
// of a gigabyte needs about the memory of one of a few megabytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "report/call_runs.h"
#include "report/capability_model.h"
#include "report/entry_mark.h"
#include "report/failures.h"
#include "report/image_transfer_model.h"
#include "report/session_overview.h"
#include "report/state_chart.h"

namespace report {

// Long lists keep their first items; the counts say how many there were.
inline constexpr size_t kKeptMessages = 200;
inline constexpr size_t kKeptLines = 50;
inline constexpr size_t kLineExcerpt = 100;

struct KeptMessage {
  size_t firstLine = 0;
  std::string text;  // as the report words it
  std::string raw;   // as the log holds it, without the final line end
};

struct KeptLine {
  size_t number = 0;
  uint64_t offset = 0;
  std::string text;  // its first kLineExcerpt bytes
  bool overLong = false;
};

struct Report {
  std::string path;  // where the log was read from; the HTML page reads its entries there
  uint64_t bytes = 0;
  Overview overview;
  std::vector<Failure> failures;  // the first FailureCollector::kKept
  std::vector<CapabilityNegotiation> capabilities;
  size_t capabilityCallsLeftOut = 0;
  std::vector<ImagePage> pages;  // the first PageCollector::kKept
  size_t pageCount = 0;
  std::vector<KeptMessage> messages;   // the first kKeptMessages
  std::vector<KeptLine> unrecognized;  // the first kKeptLines, in line order
  CallRuns calls;
  StateChart chart;
  bool onlyIdentityRequests = true;  // every triplet is DG_CONTROL/DAT_IDENTITY/MSG_GET
  std::string identityProduct;       // the product a successful identity request named
};

// Reads the log at `path` in one pass; false with a reason when it cannot be read at all. A
// read error partway keeps what was read and says so in `error`.
bool ReadReport(const std::string& path, Report* report, std::string* error);
// `fileName` is the log's name (or path), which tells when the data source was loaded.
Report BuildReport(std::string fileName, std::string_view content);

// "line 12, byte offset 3456": where an entry the page does not show stands in the file.
std::string WhereText(const EntryMark& mark);

}  // namespace report
