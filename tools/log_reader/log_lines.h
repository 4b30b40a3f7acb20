// Physical lines of a log, read from any byte position: the tracer ends its lines with CR LF,
// the levelled logger with LF alone, and the text after a cut entry goes on mid-line.
#pragma once

#include <cstddef>
#include <string_view>

namespace log_reader {

enum class LineEnd { kCrLf, kLf, kNone };

struct LogLine {
  std::string_view text;  // without its line end
  LineEnd end = LineEnd::kNone;
  size_t number = 0;  // 1-based line number in the file
  size_t offset = 0;  // byte offset of `text` in the file

  // Bytes of the line including its line end.
  size_t Span() const;
};

class LineCursor {
 public:
  explicit LineCursor(std::string_view content) : content_(content) {}

  bool AtEnd() const { return position_ >= content_.size(); }
  size_t Position() const { return position_; }
  size_t LineNumber() const { return lineNumber_; }

  // The text from the current position to the next line feed.
  LogLine Peek() const;
  void Skip(const LogLine& line);
  // Moves within the current line; `count` must not reach past its line feed.
  void SkipBytes(size_t count) { position_ += count; }

 private:
  std::string_view content_;
  size_t position_ = 0;
  size_t lineNumber_ = 1;
};

}  // namespace log_reader
