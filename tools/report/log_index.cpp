#include "report/log_index.h"

#include <algorithm>
#include <filesystem>

#include "log_reader/text_helpers.h"

namespace report {

namespace {

// The source names itself when opened; a log of identity requests only names it in the answer.
std::string DataSourceOf(const Report& report) {
  if (!report.overview.dataSource.empty()) return report.overview.dataSource;
  if (!report.identityProduct.empty()) return report.identityProduct;
  return "-";
}

const char* ContentText(LogContent content) {
  switch (content) {
    case LogContent::kSession:
      return "session";
    case LogContent::kIdentityRequests:
      return "identity requests only";
    case LogContent::kEmpty:
      return "empty";
    case LogContent::kMessagesOnly:
      return "logger messages only";
    case LogContent::kNotALog:
      return "not a log";
  }
  return "";
}

std::string ClosedShortText(const Overview& overview) {
  if (overview.closedCleanly) return "yes";
  if (overview.unfinishedLast) return "no, ends in a call";
  if (!overview.lastState) return "unknown";
  return "no, state " + std::to_string(*overview.lastState);
}

}  // namespace

LogContent ContentOf(const Report& report) {
  if (report.overview.triplets == 0) {
    if (report.bytes == 0) return LogContent::kEmpty;
    return report.overview.loggerMessages == 0 ? LogContent::kNotALog : LogContent::kMessagesOnly;
  }
  return report.onlyIdentityRequests ? LogContent::kIdentityRequests : LogContent::kSession;
}

const std::vector<IndexColumn>& IndexColumns() {
  static const std::vector<IndexColumn> columns = {
      {"#", true},        {"File", false},    {"Loaded", false},       {"Data source", false},
      {"Triplets", true}, {"Failures", true}, {"Highest state", true}, {"Closed cleanly", false},
      {"Content", false}, {"Sound", false},
  };
  return columns;
}

std::string SoundnessText(const Report& report) {
  const Overview& o = report.overview;
  std::string problems;
  auto add = [&problems](size_t count, const char* singular, const char* plural) {
    if (count > 0)
      problems += (problems.empty() ? "" : ", ") + log_reader::Counted(count, singular, plural);
  };
  add(o.cutEntries, "cut entry", "cut entries");
  add(o.incompleteEntries, "incomplete entry", "incomplete entries");
  add(o.sequenceGaps, "numbering gap", "numbering gaps");
  add(o.unrecognizedLines, "unrecognized line", "unrecognized lines");
  if (o.unfinishedLast) {
    problems +=
        (problems.empty() ? "ends inside #" : ", ends inside #") + SequenceText(*o.unfinishedLast);
  }
  return problems.empty() ? "yes" : "no: " + problems;
}

IndexRow IndexRowOf(const Report& report, size_t number) {
  const Overview& o = report.overview;
  IndexRow row;
  row.number = number;
  row.path = o.fileName;
  row.content = ContentOf(report);
  row.failed = o.failures > 0;
  row.closedCleanly = o.closedCleanly;
  std::string sound = SoundnessText(report);
  row.sound = sound == "yes";
  row.cells = {std::to_string(number),
               std::filesystem::path(o.fileName).filename().string(),
               o.loadTime.value_or("unknown"),
               DataSourceOf(report),
               std::to_string(o.triplets),
               std::to_string(o.failures),
               o.highestState ? std::to_string(*o.highestState) : "-",
               ClosedShortText(o),
               ContentText(row.content),
               sound};
  return row;
}

std::vector<size_t> ShownRows(const std::vector<IndexRow>& rows, const std::vector<size_t>& only) {
  if (!only.empty()) return only;
  std::vector<size_t> shown;
  for (const IndexRow& row : rows) {
    if (row.content == LogContent::kSession) shown.push_back(row.number);
  }
  return shown;
}

std::string ShownText(const LogSetIndex& index) {
  std::string numbers;
  for (size_t number : index.shown) {
    numbers += (numbers.empty() ? "" : ", ") + std::to_string(number);
  }
  if (index.chosen) return "Full reports follow of the logs chosen with --only: " + numbers + ".";
  if (numbers.empty()) {
    return "No log holds more than identity requests; --only N,M reports the logs of those rows.";
  }
  return "Full reports follow of the logs with more than identity requests: " + numbers +
         ". --only N,M chooses others by row number.";
}

}  // namespace report
