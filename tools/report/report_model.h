// Everything the report tells about one log, read once and shared by the text and HTML pages.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "log_reader/log_lines.h"
#include "log_reader/log_splitter.h"
#include "log_reader/logger_message.h"
#include "log_reader/triplet_entry.h"
#include "report/capability_model.h"
#include "report/failures.h"
#include "report/image_transfer_model.h"
#include "report/session_overview.h"

namespace report {

struct Report {
  // The log's bytes; every view below points into them, so they never move.
  std::unique_ptr<const std::string> content;
  std::vector<log_reader::LogItem> items;  // in log order
  std::vector<log_reader::Triplet> triplets;
  std::vector<const log_reader::LoggerMessage*> messages;
  std::vector<log_reader::LogLine>
      unrecognized;  // lines outside any form of the log, in line order
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
