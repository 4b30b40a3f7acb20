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

// Walks the lines of a window of the log: `content` starts at byte `base` of the file, on line
// `firstLine`.
class LineCursor {
 public:
  explicit LineCursor(std::string_view content, size_t base = 0, size_t firstLine = 1)
      : content_(content), base_(base), lineNumber_(firstLine) {}

  bool AtEnd() const { return position_ >= content_.size(); }
  // The byte offset in the file.
  size_t Position() const { return base_ + position_; }
  size_t Consumed() const { return position_; }
  size_t LineNumber() const { return lineNumber_; }

  // The text from the current position to the next line feed.
  LogLine Peek() const;
  void Skip(const LogLine& line);
  // Moves within the current line; `count` must not reach past its line feed.
  void SkipBytes(size_t count) { position_ += count; }
  // The bytes from file offset `from` to the current position.
  std::string_view Since(size_t from) const {
    return content_.substr(from - base_, Position() - from);
  }
  // The window's bytes from file offset `at`, as many as there are up to `count`.
  std::string_view At(size_t at, size_t count) const { return content_.substr(at - base_, count); }

 private:
  std::string_view content_;
  size_t base_ = 0;
  size_t position_ = 0;
  size_t lineNumber_ = 1;
};

}  // namespace log_reader
