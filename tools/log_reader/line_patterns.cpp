#include "log_reader/line_patterns.h"

#include "log_reader/logger_message.h"
#include "log_reader/text_helpers.h"

namespace log_reader {

namespace {

// A data group, data argument type or message name: a table name or "ERROR!(n)".
bool IsTripletName(std::string_view name) {
  return !name.empty() && name.find(' ') == std::string_view::npos;
}

// "DG/DAT/MSG" or "DG/DAT/MSG (CAP)".
bool ParseTripletNames(std::string_view text, HeaderLine* header) {
  size_t firstSlash = text.find('/');
  if (firstSlash == std::string_view::npos) return false;
  size_t secondSlash = text.find('/', firstSlash + 1);
  if (secondSlash == std::string_view::npos) return false;
  header->group = text.substr(0, firstSlash);
  header->argumentType = text.substr(firstSlash + 1, secondSlash - firstSlash - 1);
  std::string_view rest = text.substr(secondSlash + 1);
  size_t open = rest.find(" (");
  if (open != std::string_view::npos) {
    if (!EndsWith(rest, ")")) return false;
    header->hasCapability = true;
    header->capability = rest.substr(open + 2, rest.size() - open - 3);
    rest = rest.substr(0, open);
  }
  header->message = rest;
  return IsTripletName(header->group) && IsTripletName(header->argumentType) &&
         IsTripletName(header->message);
}

}  // namespace

std::optional<HeaderLine> ParseHeaderLine(std::string_view text) {
  if (!StartsWith(text, "[")) return std::nullopt;
  size_t close = text.find("] [");
  // The running number has at least five digits.
  if (close == std::string_view::npos || close < 6) return std::nullopt;
  std::string_view number = text.substr(1, close - 1);
  std::optional<long long> sequence = ParseInteger(number);
  if (!AllDigits(number) || !sequence) return std::nullopt;

  std::string_view rest = text.substr(close + 3);
  size_t tagEnd = rest.find("] ");
  if (tagEnd == std::string_view::npos) return std::nullopt;
  HeaderLine header;
  header.sequence = *sequence;
  header.tag = rest.substr(0, tagEnd);
  if (!ParseTripletNames(rest.substr(tagEnd + 2), &header)) return std::nullopt;
  return header;
}

bool IsHeaderLine(std::string_view text) {
  return ParseHeaderLine(text).has_value();
}

bool IsErrorStatusLine(std::string_view text) {
  return text == kErrorStatusStart || text == kErrorStatusEnd;
}

bool StartsUnit(std::string_view text) {
  return IsHeaderLine(text) || ParseLoggerPrefix(text).has_value() ||
         StartsWith(text, kErrorStatusStart) || StartsWith(text, kErrorStatusEnd) ||
         StartsWith(text, kReturnCodePrefix);
}

}  // namespace log_reader
