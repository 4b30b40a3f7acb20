#include "log_reader/logger_message.h"

#include "log_reader/text_helpers.h"

namespace log_reader {

namespace {

constexpr std::string_view kFrom = " from \"";
constexpr std::string_view kFileOpen = "(File: ";
constexpr std::string_view kLineLabel = ", Line: ";

// "YYYY/MM/DD HH:MM:SS.mmm", the milliseconds possibly 1000.
bool IsTimestamp(std::string_view text) {
  static constexpr std::string_view kShape = "dddd/dd/dd dd:dd:dd.ddd";
  if (text.size() != kShape.size() && text.size() != kShape.size() + 1) return false;
  for (size_t i = 0; i < text.size(); ++i) {
    char expected = i < kShape.size() ? kShape[i] : 'd';
    if (expected == 'd' ? !IsDigit(text[i]) : text[i] != expected) return false;
  }
  return true;
}

bool IsLevelName(std::string_view level) {
  return level.empty() || level == "TRACE" || level == "INFO" || level == "WARNING" ||
         level == "ERROR";
}

// "(File: name<padding>, Line: <width 4>) " at the start of `text`.
bool ParseFilePart(std::string_view text, LoggerPrefix* prefix, size_t* length) {
  if (!StartsWith(text, kFileOpen)) return false;
  size_t label = text.find(kLineLabel);
  if (label == std::string_view::npos) return false;
  size_t close = text.find(") ", label);
  if (close == std::string_view::npos) return false;
  std::optional<long long> line =
      ParseInteger(text.substr(label + kLineLabel.size(), close - label - kLineLabel.size()));
  if (!line) return false;
  prefix->hasFile = true;
  prefix->file = TrimTrailingSpaces(text.substr(kFileOpen.size(), label - kFileOpen.size()));
  prefix->line = *line;
  *length = close + 2;
  return true;
}

}  // namespace

std::optional<LoggerPrefix> ParseLoggerPrefix(std::string_view text) {
  if (!StartsWith(text, "[")) return std::nullopt;
  size_t close = text.find("] ");
  if (close == std::string_view::npos || !IsTimestamp(text.substr(1, close - 1))) {
    return std::nullopt;
  }
  LoggerPrefix prefix;
  prefix.timestamp = text.substr(1, close - 1);
  size_t levelStart = close + 2;
  size_t from = text.find(kFrom, levelStart);
  if (from == std::string_view::npos) return std::nullopt;
  prefix.level = text.substr(levelStart, from - levelStart);
  if (!IsLevelName(prefix.level)) return std::nullopt;
  size_t originStart = from + kFrom.size();
  size_t originEnd = text.find("\" ", originStart);
  if (originEnd == std::string_view::npos) return std::nullopt;
  prefix.origin = text.substr(originStart, originEnd - originStart);
  prefix.length = originEnd + 2;

  size_t fileLength = 0;
  if (ParseFilePart(text.substr(prefix.length), &prefix, &fileLength)) {
    prefix.length += fileLength;
  }
  return prefix;
}

}  // namespace log_reader
