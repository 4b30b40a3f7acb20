#include "log_reader/log_lines.h"

#include <cstring>

namespace log_reader {

size_t LogLine::Span() const {
  switch (end) {
    case LineEnd::kCrLf:
      return text.size() + 2;
    case LineEnd::kLf:
      return text.size() + 1;
    case LineEnd::kNone:
      break;
  }
  return text.size();
}

LogLine LineCursor::Peek() const {
  LogLine line;
  line.number = lineNumber_;
  line.offset = base_ + position_;
  const char* start = content_.data() + position_;
  size_t left = content_.size() - position_;
  const char* feed = left == 0 ? nullptr : static_cast<const char*>(memchr(start, '\n', left));
  if (feed == nullptr) {
    line.text = std::string_view(start, left);
    line.end = LineEnd::kNone;
    return line;
  }
  size_t length = static_cast<size_t>(feed - start);
  if (length > 0 && start[length - 1] == '\r') {
    line.text = std::string_view(start, length - 1);
    line.end = LineEnd::kCrLf;
  } else {
    line.text = std::string_view(start, length);
    line.end = LineEnd::kLf;
  }
  return line;
}

void LineCursor::Skip(const LogLine& line) {
  position_ = line.offset - base_ + line.Span();
  if (line.end != LineEnd::kNone) ++lineNumber_;
}

}  // namespace log_reader
