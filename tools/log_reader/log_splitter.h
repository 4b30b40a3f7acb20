// Splits a log into what was written to it, in order: triplet entries (the header line, the
// parameter text, the error-status markers), levelled-logger messages, and lines that are
// neither.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>
#include <variant>
#include <vector>

#include "log_reader/log_lines.h"
#include "log_reader/logger_message.h"

namespace log_reader {

struct RawEntry {
  size_t firstLine = 0;
  size_t offset = 0;
  std::string_view raw;  // every byte of the entry, markers included
  std::optional<LogLine> header;
  std::vector<LogLine> body;  // result lines, structure dump, state line
  // The parameter text ended in the cut marker; `cutAtLimit` when the marker sits exactly
  // where the tracer cuts, so that nothing of the entry was lost before it.
  bool cut = false;
  bool cutAtLimit = false;
  bool errorStatusStart = false;
  bool errorStatusEnd = false;
};

struct UnknownLine {
  LogLine line;
};

using LogItem = std::variant<RawEntry, LoggerMessage, UnknownLine>;

std::vector<LogItem> SplitLog(std::string_view content);

}  // namespace log_reader
