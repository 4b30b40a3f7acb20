// The log read in one pass, one item at a time, through a buffer of bounded size: the memory a
// log needs does not grow with its length, its lines' length or its entries' count.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "log_reader/log_splitter.h"

namespace log_reader {

class LogReader {
 public:
  // Reads the file descriptor from its start with pread, so that a forked process reads on
  // from its copy without moving the other's position; a pipe is read as it comes. The
  // descriptor stays the caller's.
  explicit LogReader(int fd);
  // Reads text already in memory, which must outlive the reader.
  explicit LogReader(std::string_view content);

  // The next item, or null at the log's end (or a read error); its views stay valid until the
  // next call.
  const LogItem* Next();

  // The read error that ended the log early; empty when none did.
  const std::string& Error() const { return error_; }
  // Bytes of the log read so far.
  uint64_t Offset() const { return consumedOffset_; }

 private:
  bool Fill();
  void SkipRestOfLine();

  int fd_ = -1;
  std::vector<char> buffer_;
  std::string_view memory_;
  size_t begin_ = 0;  // the window is buffer_[begin_, end_)
  size_t end_ = 0;
  uint64_t windowOffset_ = 0;  // file offset of buffer_[begin_]
  uint64_t readOffset_ = 0;    // file offset of buffer_[end_]
  uint64_t consumedOffset_ = 0;
  size_t lineNumber_ = 1;
  bool atEof_ = false;
  bool skipping_ = false;    // inside an over-long line already reported
  bool sequential_ = false;  // a pipe, read with read()
  LogItem item_;
  std::string error_;
};

}  // namespace log_reader
