// Messages of the levelled logger, which shares the log file with the trace:
// "[2026/01/05 09:30:12.457] INFO from \"origin\" (File: name, Line:   12) text\n", the file part
// optional, the level name possibly empty, the text possibly spanning several lines.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace log_reader {

struct LoggerPrefix {
  std::string_view timestamp;  // "2026/01/05 09:30:12.457"
  std::string_view level;      // "TRACE", "INFO", "WARNING", "ERROR" or empty
  std::string_view origin;
  bool hasFile = false;
  std::string_view file;  // base name, without the padding
  long long line = 0;
  size_t length = 0;  // bytes of the prefix, its closing blank included
};

std::optional<LoggerPrefix> ParseLoggerPrefix(std::string_view text);

struct LoggerMessage {
  LoggerPrefix prefix;
  std::string text;  // the message text, lines joined with "\n", without the final line end
  size_t firstLine = 0;
  std::string_view raw;
};

}  // namespace log_reader
