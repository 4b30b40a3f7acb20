#include "log_reader/log_reader.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace log_reader {

namespace {

// The window holds at least an over-long line's bound and a unit's more whenever the file has
// them, so that every item is read whole or known to be over-long.
constexpr size_t kWindowAhead = kMaxLineBytes + kMaxUnitBytes + 4096;
constexpr size_t kBufferBytes = 2 * kWindowAhead;
// Where the buffer starts: a folder's many short logs each cost no more than this.
constexpr size_t kFirstBufferBytes = 64 << 10;

}  // namespace

LogReader::LogReader(int fd) : fd_(fd), buffer_(kFirstBufferBytes) {}

LogReader::LogReader(std::string_view content) : memory_(content), end_(content.size()) {
  atEof_ = true;
  readOffset_ = content.size();
}

// Tops the window up to kWindowAhead bytes, growing the buffer up to kBufferBytes while the
// file has more; false on a read error.
bool LogReader::Fill() {
  if (fd_ < 0 || atEof_ || end_ - begin_ >= kWindowAhead) return true;
  if (begin_ > 0) {
    memmove(buffer_.data(), buffer_.data() + begin_, end_ - begin_);
    end_ -= begin_;
    begin_ = 0;
  }
  for (;;) {
    if (end_ == buffer_.size()) {
      if (end_ >= kWindowAhead || buffer_.size() >= kBufferBytes) break;
      buffer_.resize(std::min(2 * buffer_.size(), kBufferBytes));
    }
    ssize_t got = sequential_ ? read(fd_, buffer_.data() + end_, buffer_.size() - end_)
                              : pread(fd_, buffer_.data() + end_, buffer_.size() - end_,
                                      static_cast<off_t>(readOffset_));
    if (got < 0 && errno == EINTR) continue;
    // A pipe has no offsets: it is read as it comes.
    if (got < 0 && errno == ESPIPE && !sequential_) {
      sequential_ = true;
      continue;
    }
    if (got < 0) {
      error_ = strerror(errno);
      return false;
    }
    if (got == 0) {
      // What a growing file adds after this is not read: the report is of the log as it was.
      atEof_ = true;
      break;
    }
    end_ += static_cast<size_t>(got);
    readOffset_ += static_cast<uint64_t>(got);
  }
  return true;
}

void LogReader::SkipRestOfLine() {
  while (skipping_) {
    if (!Fill()) return;
    std::string_view window =
        fd_ < 0 ? memory_.substr(begin_) : std::string_view(buffer_.data() + begin_, end_ - begin_);
    const void* feed = window.empty() ? nullptr : memchr(window.data(), '\n', window.size());
    size_t skipped = feed == nullptr
                         ? window.size()
                         : static_cast<size_t>(static_cast<const char*>(feed) - window.data()) + 1;
    begin_ += skipped;
    windowOffset_ += skipped;
    if (feed != nullptr) {
      ++lineNumber_;
      skipping_ = false;
    } else if (atEof_) {
      skipping_ = false;
    }
  }
}

const LogItem* LogReader::Next() {
  SkipRestOfLine();
  if (!error_.empty() || !Fill()) return nullptr;
  if (begin_ == end_) return nullptr;
  std::string_view window =
      fd_ < 0 ? memory_.substr(begin_) : std::string_view(buffer_.data() + begin_, end_ - begin_);
  LineCursor cursor(window, static_cast<size_t>(windowOffset_), lineNumber_);
  LogLine first = cursor.Peek();
  if (IsOverLong(first, atEof_)) {
    first.text = first.text.substr(0, kOverLongExcerpt);
    UnknownLine* unknown = std::get_if<UnknownLine>(&item_);
    if (unknown == nullptr) unknown = &item_.emplace<UnknownLine>();
    unknown->line = first;
    unknown->overLong = true;
    skipping_ = true;
    consumedOffset_ = windowOffset_;
    return &item_;
  }
  ReadItem(&cursor, atEof_, &item_);
  begin_ += cursor.Consumed();
  windowOffset_ += cursor.Consumed();
  lineNumber_ = cursor.LineNumber();
  consumedOffset_ = windowOffset_;
  return &item_;
}

}  // namespace log_reader
