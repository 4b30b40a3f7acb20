// The levelled logger: time-stamped one-line diagnostic messages written into the log file,
// interleaved with the trace in call order. Exported for implementation bundles and tools.
#pragma once

#include <cstdarg>
#include <ctime>
#include <string>

#include "platform/visibility.h"

namespace ENUM_LOG_LEVEL_TW {
enum enumLogLevel_tw {
  LOG_LEVEL_TRACE = 1,
  LOG_LEVEL_INFO = 2,
  LOG_LEVEL_WARNING = 3,
  LOG_LEVEL_ERROR = 4,
};
}  // namespace ENUM_LOG_LEVEL_TW

class TWAINTRACE_EXPORT CTwainLog {
 public:
  virtual ~CTwainLog();

  // Writes `text` to the log file in one write; dropped while no log file is open.
  void OutputDebugString(const char* text);
  // The local time as "YYYY/MM/DD hh:mm:ss.mmm".
  std::string GetHeader();
  // "TRACE", "INFO", "WARNING" or "ERROR"; empty for any other level.
  std::string GetLevelName(ENUM_LOG_LEVEL_TW::enumLogLevel_tw level);
  // The printf-style formatting of `args`; empty for a null format or a format the C library
  // cannot render.
  std::string FormatString(const char* format, va_list args) __attribute__((format(printf, 2, 0)));
  // One line "[time] LEVEL from "origin" (File: base, Line: n) text\n", written in one piece;
  // the file part is left out when `file` is null. A null origin prints as "", and a null or
  // empty format still ends the line.
  void Message(ENUM_LOG_LEVEL_TW::enumLogLevel_tw level, const char* origin, const char* file,
               int line, const char* format, ...) __attribute__((format(printf, 6, 7)));

  // The time stamp of a given local time and the microseconds of the same second.
  TWAINTRACE_HIDDEN static std::string GetHeader(const struct tm& local, long microseconds);
};

// The one logger instance, alive while logging is enabled; renewed by setupTwainLog and
// deleted by cleanupTwainLog.
extern CTwainLog* g_pcTwainLog;
