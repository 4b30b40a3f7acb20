#include "log/twain_log.h"

#include <array>
#include <boost/format.hpp>
#include <cstdio>
#include <cstring>
#include <locale>

#include "log/log_file.h"

CTwainLog* g_pcTwainLog = nullptr;

namespace {

constexpr size_t kStampSize = 256;
constexpr size_t kFirstCapacity = 100;
// A C library reports a negative count for an error that more room never cures (an
// unconvertible wide character, a width beyond INT_MAX); doubling stops here instead of
// exhausting memory.
constexpr size_t kLargestRetryCapacity = size_t{1} << 20;

constexpr std::array<const char*, 4> kLevelNames = {"TRACE", "INFO", "WARNING", "ERROR"};

const char* BaseName(const char* path) {
  const char* slash = strrchr(path, '/');
  const char* backslash = strrchr(path, '\\');
  const char* last = slash > backslash ? slash : backslash;
  return last != nullptr ? last + 1 : path;
}

// The prefix is built in the classic locale, so a host's global C++ locale cannot put digit
// grouping into the line number.
boost::format PrefixFormat(const char* format) {
  return boost::format(format, std::locale::classic());
}

}  // namespace

CTwainLog::~CTwainLog() {}

void CTwainLog::OutputDebugString(const char* text) {
  if (text == nullptr) return;
  WriteLogFile(reinterpret_cast<const unsigned char*>(text), strlen(text));
}

std::string CTwainLog::GetHeader() {
  ClockReading now = ReadClock();
  return GetHeader(now.local, now.microseconds);
}

std::string CTwainLog::GetHeader(const struct tm& local, long microseconds) {
  char stamp[kStampSize] = {};
  snprintf(stamp, sizeof(stamp), "%04d/%02d/%02d %02d:%02d:%02d.%03d", local.tm_year + 1900,
           local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec,
           RoundedMilliseconds(microseconds));
  return stamp;
}

std::string CTwainLog::GetLevelName(ENUM_LOG_LEVEL_TW::enumLogLevel_tw level) {
  int index = static_cast<int>(level) - ENUM_LOG_LEVEL_TW::LOG_LEVEL_TRACE;
  if (index < 0 || index >= static_cast<int>(kLevelNames.size())) return {};
  return kLevelNames[static_cast<size_t>(index)];
}

std::string CTwainLog::FormatString(const char* format, va_list args) {
  std::string text;
  if (format == nullptr) return text;

  size_t capacity = kFirstCapacity;
  for (;;) {
    text.resize(capacity);
    va_list attempt;
    va_copy(attempt, args);
    int count = vsnprintf(&text[0], capacity, format, attempt);
    va_end(attempt);

    if (count < 0) {
      if (capacity >= kLargestRetryCapacity) return {};
      capacity *= 2;
    } else if (static_cast<size_t>(count) >= capacity) {
      capacity = static_cast<size_t>(count) + 1;
    } else {
      text.resize(static_cast<size_t>(count));
      return text;
    }
  }
}

// The line is written in one piece, so that it stays whole among the trace entries and other
// threads' lines. The host's locale is left as it is: the vendor's name for a Japanese locale
// exists on none of the platforms the data source runs on, and changing the locale for the
// whole process would change it under the host's other threads.
void CTwainLog::Message(ENUM_LOG_LEVEL_TW::enumLogLevel_tw level, const char* origin,
                        const char* file, int line, const char* format, ...) {
  std::string levelName = GetLevelName(level);
  std::string stamp = GetHeader();
  std::string originText = origin != nullptr ? origin : "";

  std::string message;
  if (file != nullptr) {
    message = (PrefixFormat("[%s] %s from \"%s\" (File: %-40s, Line: %4d) ") % stamp % levelName %
               originText % BaseName(file) % line)
                  .str();
  } else {
    message = (PrefixFormat("[%s] %s from \"%s\" ") % stamp % levelName % originText).str();
  }

  va_list args;
  va_start(args, format);
  std::string text = FormatString(format, args);
  va_end(args);
  // The file gets the text up to a NUL it may hold, and every message ends its line, an empty
  // one too, so that the next entry never starts inside it.
  message.append(text.c_str());
  if (message.back() != '\n') message += '\n';

  OutputDebugString(message.c_str());
}
