// Everything the report tells about one log, read once and shared by the text and HTML pages.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "report/capability_model.h"
#include "report/failures.h"
#include "report/image_transfer_model.h"
#include "report/log_lines.h"
#include "report/log_splitter.h"
#include "report/logger_message.h"
#include "report/session_overview.h"
#include "report/triplet_entry.h"

namespace report {

struct Report {
  // The log's bytes; every view below points into them, so they never move.
  std::unique_ptr<const std::string> content;
  std::vector<LogItem> items;  // in log order
  std::vector<Triplet> triplets;
  std::vector<const LoggerMessage*> messages;
  std::vector<LogLine> unrecognized;  // lines outside any form of the log, in line order
  std::vector<Failure> failures;
  std::vector<CapabilityNegotiation> capabilities;
  std::vector<ImagePage> pages;
  Overview overview;
};

// `fileName` is the log's name (or path), which tells when the data source was loaded.
Report BuildReport(std::string fileName, std::string content);

// Reads the whole file; false with a reason when it cannot be read.
bool ReadLogFile(const std::string& path, std::string* content, std::string* error);

}  // namespace report
