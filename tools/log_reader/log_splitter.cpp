#include "log_reader/log_splitter.h"

#include "log_reader/line_patterns.h"
#include "log_reader/log_reader.h"
#include "log_reader/text_helpers.h"

namespace log_reader {

namespace {

// True when the tracer's cut falls inside `line` (or at its start): the marker follows the
// first `limit` bytes of the parameter text.
bool CutFallsIn(const LineCursor& cursor, const LogLine& line, size_t limit) {
  return line.offset <= limit && limit < line.offset + line.Span() &&
         cursor.At(limit, kCutMarker.size()) == kCutMarker;
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
  // Every line of a dump begins with a blank or a brace; only other lines can begin a unit.
  if (!line.text.empty() && (line.text.front() == ' ' || line.text.front() == '}')) {
    return seenReturnCode && StartsWith(line.text, kReturnCodePrefix);
  }
  if (IsErrorStatusLine(line.text) || IsHeaderLine(line.text)) return true;
  return ParseLoggerPrefix(line.text).has_value();
}

// A unit ends before a line it may not hold or once it holds more than any the tracer writes.
bool MustStop(const LineCursor& cursor, size_t unitOffset, const LogLine& line, bool final) {
  return IsOverLong(line, final) || cursor.Position() - unitOffset > kMaxUnitBytes;
}

bool HasStateLine(const RawEntry& entry) {
  return !entry.body.empty() && StartsWith(entry.body.back().text, kStatePrefix);
}

// The log ends in the first bytes of `marker`: the host stopped while it was written.
bool IsTornAtEnd(const LogLine& line, std::string_view marker) {
  return line.end == LineEnd::kNone && !line.text.empty() && StartsWith(marker, line.text);
}

// The markers follow the failed entry right after it, which has no state line.
bool TakeErrorStatusLine(const LogLine& line, RawEntry* entry) {
  if (!entry->errorStatusStart) {
    if (line.text == kErrorStatusStart) {
      entry->errorStatusStart = true;
      return true;
    }
    return IsTornAtEnd(line, kErrorStatusStart);
  }
  if (!entry->errorStatusEnd) {
    if (line.text == kErrorStatusEnd) {
      entry->errorStatusEnd = true;
      return true;
    }
    return IsTornAtEnd(line, kErrorStatusEnd);
  }
  return false;
}

void ReadErrorStatus(LineCursor* cursor, bool final, RawEntry* entry) {
  if (HasStateLine(*entry)) return;
  while (!cursor->AtEnd()) {
    LogLine line = cursor->Peek();
    if (IsOverLong(line, final) || !TakeErrorStatusLine(line, entry)) return;
    cursor->Skip(line);
  }
}

void ResetEntry(RawEntry* entry) {
  entry->header.reset();
  entry->body.clear();
  entry->cut = entry->cutAtLimit = false;
  entry->errorStatusStart = entry->errorStatusEnd = false;
}

void ReadEntry(LineCursor* cursor, bool final, RawEntry* entry) {
  ResetEntry(entry);
  entry->offset = cursor->Position();
  entry->firstLine = cursor->LineNumber();
  LogLine first = cursor->Peek();
  if (IsHeaderLine(first.text)) {
    entry->header = first;
    cursor->Skip(first);
  }
  size_t limit = cursor->Position() + kParameterTextLimit;
  bool seenReturnCode = false;
  while (!cursor->AtEnd()) {
    LogLine line = cursor->Peek();
    if (MustStop(*cursor, entry->offset, line, final)) break;
    if (CutFallsIn(*cursor, line, limit)) {
      entry->cutAtLimit = true;
      ConsumeCut(line, limit - line.offset, cursor, entry);
      break;
    }
    if (EndsParameterText(line, seenReturnCode)) break;
    // A marker elsewhere means bytes of the entry were lost before it.
    size_t markerAt = line.text.find(kCutMarker);
    if (markerAt != std::string_view::npos) {
      ConsumeCut(line, markerAt, cursor, entry);
      break;
    }
    seenReturnCode = seenReturnCode || StartsWith(line.text, kReturnCodePrefix);
    entry->body.push_back(line);
    cursor->Skip(line);
    if (StartsWith(line.text, kStatePrefix)) break;
  }
  ReadErrorStatus(cursor, final, entry);
  entry->raw = cursor->Since(entry->offset);
}

// The message text runs on over lines ended by a line feed alone until something else begins.
void ReadContinuationLines(LineCursor* cursor, bool final, size_t offset, LoggerMessage* message) {
  while (!cursor->AtEnd()) {
    LogLine line = cursor->Peek();
    if (MustStop(*cursor, offset, line, final)) return;
    if (line.end == LineEnd::kCrLf || StartsUnit(line.text)) return;
    message->text += '\n';
    message->text += line.text;
    cursor->Skip(line);
    if (line.end == LineEnd::kNone) return;
  }
}

void ReadMessage(LineCursor* cursor, bool final, LoggerMessage* message) {
  size_t offset = cursor->Position();
  message->firstLine = cursor->LineNumber();
  message->text.clear();
  LogLine line = cursor->Peek();
  message->prefix = *ParseLoggerPrefix(line.text);
  std::string_view text = line.text.substr(message->prefix.length);
  if (!text.empty() && StartsUnit(text)) {
    // An empty message text gets no line end, so what follows shares the line.
    cursor->SkipBytes(message->prefix.length);
  } else {
    message->text.assign(text.data(), text.size());
    cursor->Skip(line);
    if (line.end == LineEnd::kLf) ReadContinuationLines(cursor, final, offset, message);
  }
  message->raw = cursor->Since(offset);
}

// The alternative `T` of `item`, keeping its storage when it already holds one.
template <typename T>
T* Reuse(LogItem* item) {
  if (T* held = std::get_if<T>(item)) return held;
  return &item->emplace<T>();
}

}  // namespace

bool IsOverLong(const LogLine& line, bool final) {
  return line.text.size() > kMaxLineBytes || (line.end == LineEnd::kNone && !final);
}

void ReadItem(LineCursor* cursor, bool final, LogItem* item) {
  LogLine line = cursor->Peek();
  if (IsHeaderLine(line.text) || StartsWith(line.text, kReturnCodePrefix)) {
    ReadEntry(cursor, final, Reuse<RawEntry>(item));
  } else if (ParseLoggerPrefix(line.text)) {
    ReadMessage(cursor, final, Reuse<LoggerMessage>(item));
  } else {
    Reuse<UnknownLine>(item)->line = line;
    std::get<UnknownLine>(*item).overLong = false;
    cursor->Skip(line);
  }
}

std::vector<LogItem> SplitLog(std::string_view content) {
  std::vector<LogItem> items;
  LogReader reader(content);
  while (const LogItem* item = reader.Next()) items.push_back(*item);
  return items;
}

}  // namespace log_reader
