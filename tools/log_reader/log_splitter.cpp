#include "log_reader/log_splitter.h"

#include "log_reader/line_patterns.h"
#include "log_reader/text_helpers.h"

namespace log_reader {

namespace {

std::string_view Bytes(std::string_view content, size_t from, size_t to) {
  return content.substr(from, to - from);
}

// True when the tracer's cut falls inside `line` (or at its start): the marker follows the
// first `limit` bytes of the parameter text.
bool CutFallsIn(std::string_view content, const LogLine& line, size_t limit) {
  return line.offset <= limit && limit < line.offset + line.Span() &&
         content.compare(limit, kCutMarker.size(), kCutMarker) == 0;
}

// Keeps the bytes of the line before the marker as the entry's last (partial) line.
void KeepPartialLine(const LogLine& line, size_t length, RawEntry* entry) {
  if (length == 0) return;
  LogLine partial = line;
  partial.text = std::string_view(line.text.data(), length);
  partial.end = LineEnd::kNone;
  entry->body.push_back(partial);
}

// Ends the parameter text at the cut marker, which stands `markerAt` bytes into `line`. The
// text after the marker is the next thing written and stays for the caller.
void ConsumeCut(const LogLine& line, size_t markerAt, LineCursor* cursor, RawEntry* entry) {
  entry->cut = true;
  KeepPartialLine(line, markerAt, entry);
  cursor->SkipBytes(markerAt + kCutMarker.size());
}

bool EndsParameterText(const LogLine& line, bool seenReturnCode) {
  if (IsErrorStatusLine(line.text) || IsHeaderLine(line.text)) return true;
  if (ParseLoggerPrefix(line.text)) return true;
  // A second return-code line opens the next entry, one without header.
  return seenReturnCode && StartsWith(line.text, kReturnCodePrefix);
}

RawEntry ReadEntry(std::string_view content, LineCursor* cursor) {
  RawEntry entry;
  entry.offset = cursor->Position();
  entry.firstLine = cursor->LineNumber();
  LogLine first = cursor->Peek();
  if (IsHeaderLine(first.text)) {
    entry.header = first;
    cursor->Skip(first);
  }
  size_t limit = cursor->Position() + kParameterTextLimit;
  bool seenReturnCode = false;
  while (!cursor->AtEnd()) {
    LogLine line = cursor->Peek();
    if (CutFallsIn(content, line, limit)) {
      entry.cutAtLimit = true;
      ConsumeCut(line, limit - line.offset, cursor, &entry);
      break;
    }
    if (EndsParameterText(line, seenReturnCode)) break;
    // A marker elsewhere means bytes of the entry were lost before it.
    size_t markerAt = line.text.find(kCutMarker);
    if (markerAt != std::string_view::npos) {
      ConsumeCut(line, markerAt, cursor, &entry);
      break;
    }
    seenReturnCode = seenReturnCode || StartsWith(line.text, kReturnCodePrefix);
    entry.body.push_back(line);
    cursor->Skip(line);
    if (StartsWith(line.text, kStatePrefix)) break;
  }
  entry.raw = Bytes(content, entry.offset, cursor->Position());
  return entry;
}

// The message text runs on over lines ended by a line feed alone until something else begins.
void ReadContinuationLines(LineCursor* cursor, LoggerMessage* message) {
  while (!cursor->AtEnd()) {
    LogLine line = cursor->Peek();
    if (line.end == LineEnd::kCrLf || StartsUnit(line.text)) return;
    message->text += '\n';
    message->text += line.text;
    cursor->Skip(line);
    if (line.end == LineEnd::kNone) return;
  }
}

LoggerMessage ReadMessage(std::string_view content, LineCursor* cursor) {
  LoggerMessage message;
  size_t offset = cursor->Position();
  message.firstLine = cursor->LineNumber();
  LogLine line = cursor->Peek();
  message.prefix = *ParseLoggerPrefix(line.text);
  std::string_view text = line.text.substr(message.prefix.length);
  if (!text.empty() && StartsUnit(text)) {
    // An empty message text gets no line end, so what follows shares the line.
    cursor->SkipBytes(message.prefix.length);
  } else {
    message.text = std::string(text);
    cursor->Skip(line);
    if (line.end == LineEnd::kLf) ReadContinuationLines(cursor, &message);
  }
  message.raw = Bytes(content, offset, cursor->Position());
  return message;
}

bool HasStateLine(const RawEntry& entry) {
  return !entry.body.empty() && StartsWith(entry.body.back().text, kStatePrefix);
}

// The log ends in the first bytes of `marker`: the host stopped while it was written.
bool IsTornAtEnd(const LogLine& line, std::string_view marker) {
  return line.end == LineEnd::kNone && !line.text.empty() && StartsWith(marker, line.text);
}

// The markers belong to the failed entry right before them, which has no state line.
bool AttachErrorStatus(std::string_view content, const LogLine& line, std::vector<LogItem>* items) {
  if (items->empty()) return false;
  RawEntry* entry = std::get_if<RawEntry>(&items->back());
  if (entry == nullptr || HasStateLine(*entry)) return false;
  if (!entry->errorStatusStart) {
    if (line.text == kErrorStatusStart) {
      entry->errorStatusStart = true;
    } else if (!IsTornAtEnd(line, kErrorStatusStart)) {
      return false;
    }
  } else if (!entry->errorStatusEnd) {
    if (line.text == kErrorStatusEnd) {
      entry->errorStatusEnd = true;
    } else if (!IsTornAtEnd(line, kErrorStatusEnd)) {
      return false;
    }
  } else {
    return false;
  }
  entry->raw = Bytes(content, entry->offset, line.offset + line.Span());
  return true;
}

}  // namespace

std::vector<LogItem> SplitLog(std::string_view content) {
  std::vector<LogItem> items;
  LineCursor cursor(content);
  while (!cursor.AtEnd()) {
    LogLine line = cursor.Peek();
    if (IsHeaderLine(line.text) || StartsWith(line.text, kReturnCodePrefix)) {
      items.emplace_back(ReadEntry(content, &cursor));
    } else if (ParseLoggerPrefix(line.text)) {
      items.emplace_back(ReadMessage(content, &cursor));
    } else if (AttachErrorStatus(content, line, &items)) {
      cursor.Skip(line);
    } else {
      items.emplace_back(UnknownLine{line});
      cursor.Skip(line);
    }
  }
  return items;
}

}  // namespace log_reader
