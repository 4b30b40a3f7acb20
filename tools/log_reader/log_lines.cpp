#include "log_reader/log_lines.h"

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
  line.offset = position_;
  std::string_view rest = content_.substr(position_);
  size_t feed = rest.find('\n');
  if (feed == std::string_view::npos) {
    line.text = rest;
    line.end = LineEnd::kNone;
  } else if (feed > 0 && rest[feed - 1] == '\r') {
    line.text = rest.substr(0, feed - 1);
    line.end = LineEnd::kCrLf;
  } else {
    line.text = rest.substr(0, feed);
    line.end = LineEnd::kLf;
  }
  return line;
}

void LineCursor::Skip(const LogLine& line) {
  position_ = line.offset + line.Span();
  if (line.end != LineEnd::kNone) ++lineNumber_;
}

}  // namespace log_reader
