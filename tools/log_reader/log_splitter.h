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

// No line of the tracer's is anywhere near this long; a longer one is reported without being
// held.
inline constexpr size_t kMaxLineBytes = 1 << 20;
// An entry's parameter text stops at the tracer's limit, a logger message is a few lines: past
// this many bytes the rest is read as what follows them.
inline constexpr size_t kMaxUnitBytes = 64 << 10;
// What an over-long line shows of itself.
inline constexpr size_t kOverLongExcerpt = 256;

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
  LogLine line;  // of an over-long line, its first kOverLongExcerpt bytes
  bool overLong = false;
};

using LogItem = std::variant<RawEntry, LoggerMessage, UnknownLine>;

// Reads the item that begins at the cursor into `item`, reusing its storage. `final` says
// that the window ends where the file does; otherwise a line that reaches the window's end is
// taken as over-long. The caller sees to it that the cursor's first line is not over-long.
void ReadItem(LineCursor* cursor, bool final, LogItem* item);

// True when `line` may not be taken whole: longer than kMaxLineBytes, or cut by the window.
bool IsOverLong(const LogLine& line, bool final);

// The whole log at once, for text already in memory.
std::vector<LogItem> SplitLog(std::string_view content);

}  // namespace log_reader
