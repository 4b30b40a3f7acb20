#include "report/report_model.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <utility>

namespace report {

namespace {

void ParseItems(Report* report) {
  for (const log_reader::LogItem& item : report->items) {
    if (const log_reader::RawEntry* entry = std::get_if<log_reader::RawEntry>(&item)) {
      report->triplets.push_back(log_reader::ParseTriplet(*entry, report->triplets.size() + 1));
      const std::vector<log_reader::LogLine>& malformed = report->triplets.back().malformed;
      report->unrecognized.insert(report->unrecognized.end(), malformed.begin(), malformed.end());
    } else if (const log_reader::LoggerMessage* message =
                   std::get_if<log_reader::LoggerMessage>(&item)) {
      report->messages.push_back(message);
    } else {
      report->unrecognized.push_back(std::get<log_reader::UnknownLine>(item).line);
    }
  }
  std::stable_sort(report->unrecognized.begin(), report->unrecognized.end(),
                   [](const log_reader::LogLine& a, const log_reader::LogLine& b) {
                     return a.offset < b.offset;
                   });
}

}  // namespace

Report BuildReport(std::string fileName, std::string content) {
  Report report;
  report.content = std::make_unique<const std::string>(std::move(content));
  report.items = log_reader::SplitLog(*report.content);
  ParseItems(&report);
  report.failures = FindFailures(report.triplets);
  report.capabilities = NegotiateCapabilities(report.triplets);
  report.pages = CollectImagePages(report.triplets);
  report.overview = Summarize(std::move(fileName), report.triplets, report.messages,
                              report.unrecognized.size(), report.failures.size());
  return report;
}

bool ReadLogFile(const std::string& path, std::string* content, std::string* error) {
  std::error_code ignored;
  if (std::filesystem::is_directory(path, ignored)) {
    *error = path + ": is a directory";
    return false;
  }
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    *error = path + ": " + strerror(errno);
    return false;
  }
  std::ostringstream bytes;
  bytes << in.rdbuf();
  if (in.bad()) {
    *error = path + ": read error";
    return false;
  }
  *content = bytes.str();
  return true;
}

}  // namespace report
